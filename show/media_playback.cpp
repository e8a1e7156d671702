#include "show/media_playback.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/text.h"
#include "show/picture_size.h"
#include "show/timed_wait.h"
#include "show/top_most.h"

namespace show {
namespace {

constexpr std::size_t kReplyBufferSize = 256;
constexpr unsigned kReplyLength = 255;

std::wstring Command(const std::wstring& verb, const std::wstring& rest = {}) {
    return verb + L" " + kMediaAlias + rest;
}

std::vector<std::wstring> SplitAtSpaces(const std::wstring& text) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (;;) {
        const auto space = text.find(L' ', start);
        fields.push_back(text.substr(start, space - start));
        if (space == std::wstring::npos) {
            return fields;
        }
        start = space + 1;
    }
}

// A decimal integer of 32 bits, with an optional sign and nothing else around it.
std::optional<std::int32_t> ParseInt32(const std::wstring& text) {
    std::size_t digitsStart = (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ? 1 : 0;
    if (digitsStart == text.size() || text.size() - digitsStart > 10) {
        return std::nullopt;
    }
    long long value = 0;
    for (std::size_t i = digitsStart; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - L'0');
    }
    if (text[0] == L'-') {
        value = -value;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// A video size from the device: some devices report a bottom-up picture with a negative
// height, so the magnitude counts. Zero, or a magnitude that does not fit, is no size.
std::optional<int> VideoExtent(const std::wstring& field) {
    const auto value = ParseInt32(field);
    if (!value || *value == 0 || *value == INT32_MIN) {
        return std::nullopt;
    }
    return std::abs(*value);
}

// The device's window and the rectangle it draws the picture into both take the box: moving
// the window alone crops the picture or leaves the rest of the box black, as Wine's AVI driver
// does (its DirectShow driver heeds only the rectangle). The rectangle starts at 0 0, where
// drivers that read its last two numbers as a size and those that read a corner agree. Each
// half is tried on its own.
void VideoToBox(platform::MediaDevice& media, const platform::PictureBox& box) {
    const auto size = box.InnerSize();
    const auto rectangle =
        L" at 0 0 " + std::to_wstring(size.width) + L" " + std::to_wstring(size.height) + L" wait";
    platform::IgnoreErrors([&] { media.SendCommand(Command(L"put", L" window" + rectangle)); });
    platform::IgnoreErrors(
        [&] { media.SendCommand(Command(L"put", L" destination" + rectangle)); });
}

// The box takes the video's own size, fitted to the screen when larger; without a size from
// the device it keeps its own.
void FitBoxToVideo(platform::MediaDevice& media, platform::ShowWindow& window) {
    const auto fields = SplitAtSpaces(MciQuery(media, Command(L"where", L" source")));
    if (fields.size() < 4) {
        return;
    }
    const auto width = VideoExtent(fields[2]);
    const auto height = VideoExtent(fields[3]);
    if (!width || !height) {
        return;
    }
    std::optional<platform::Size> screen;
    platform::IgnoreErrors([&] { screen = window.ScreenSize(); });
    ResizeShow(window, FitInto(platform::Size{*width, *height}, screen));
}

// The device's answer, or an empty text when it has none or the query fails.
std::wstring Status(platform::MediaDevice& media, const wchar_t* item) {
    std::wstring answer;
    platform::IgnoreErrors([&] { answer = MciQuery(media, Command(L"status", item)); });
    return answer;
}

// The device's own length in seconds. Only a length in milliseconds can be set against the
// clock; a device that will not count in them has none.
std::optional<float> LengthSeconds(platform::MediaDevice& media) {
    platform::IgnoreErrors(
        [&] { media.SendCommand(Command(L"set", L" time format milliseconds")); });
    if (Status(media, L" time format") != L"milliseconds") {
        return std::nullopt;
    }
    const auto length = ParseInt32(Status(media, L" length"));
    if (!length || *length < 0) {
        return std::nullopt;
    }
    constexpr float kMillisecondsPerSecond = 1000.0F;
    return static_cast<float>(*length) / kMillisecondsPerSecond;
}

}  // namespace

bool IsVideo(const std::wstring& path) {
    static const std::array<std::wstring, 4> kEndings = {L".avi", L".mpg", L".wmv", L".asf"};
    const auto ending = platform::LowerCase(platform::LastChars(path, 4));
    return std::find(kEndings.begin(), kEndings.end(), ending) != kEndings.end();
}

std::wstring OpenCommand(const std::wstring& path, bool video, std::intptr_t parent) {
    std::wstring command = L"open \"" + path + L"\" alias " + kMediaAlias;
    if (video) {
        command += L" parent " + std::to_wstring(parent) + L" style " +
                   std::to_wstring(platform::kVideoInsideWindow) + L" wait";
    }
    return command;
}

bool OpenMedia(platform::MediaDevice& media, const std::wstring& path, bool video,
               std::intptr_t parent) {
    // A quote would end the file name early and let the rest of the path pass as words of
    // the command; no file name holds one, so such a path is a file that cannot be played.
    if (path.find(L'"') != std::wstring::npos) {
        return false;
    }
    bool opened = false;
    platform::IgnoreErrors([&] {
        media.SendCommand(OpenCommand(media.DevicePath(path), video, parent));
        opened = true;
    });
    return opened;
}

bool StartPlayback(platform::MediaDevice& media) {
    // The device reports the end itself, so the wait need not keep asking it.
    try {
        media.SendNotifyingCommand(Command(L"play", L" notify"));
        return true;
    } catch (const platform::Error&) {
    }
    bool started = false;
    platform::IgnoreErrors([&] {
        media.SendCommand(Command(L"play"));
        started = true;
    });
    return started;
}

void PlayMedia(platform::MediaDevice& media, platform::ShowWindow& window, const std::wstring& path,
               bool naturalSize) {
    using platform::IgnoreErrors;
    const bool video = IsVideo(path);
    OpenMedia(media, path, video, window.Picture1().Handle());
    if (video) {
        if (naturalSize) {
            IgnoreErrors([&] { FitBoxToVideo(media, window); });
        }
        VideoToBox(media, window.Picture1());
        ShowTopMost(window);
    }
    StartPlayback(media);
}

std::wstring MciQuery(platform::MediaDevice& media, const std::wstring& command) {
    std::wstring reply(kReplyBufferSize, L'\0');
    media.SendQuery(command, reply, kReplyLength);
    return platform::TrimNull(reply);
}

bool IsPlaying(platform::MediaDevice& media) {
    return MciQuery(media, Command(L"status", L" mode")) == L"playing";
}

void WaitWhilePlaying(platform::MediaDevice& media, platform::Process& process,
                      const PlayingEnds& ends) {
    using platform::IgnoreErrors;
    SteadyClock clock(process);
    bool firstTurn = true;
    std::optional<float> length;
    std::wstring position;
    float positionSince = clock.First();
    const auto playing = [&] {
        bool answer = false;
        IgnoreErrors([&] { answer = IsPlaying(media); });
        return answer;
    };
    const auto cut = [&] { return ends.cutShort && ends.cutShort(); };
    while (!media.EndReported() && !cut() && playing()) {
        // Asked only of a device that plays, so that one that never does hears nothing more.
        if (firstTurn) {
            length = LengthSeconds(media);
            firstTurn = false;
        }
        const float now = clock.Now();
        const auto where = Status(media, L" position");
        // A turn without an answer is no sign of standing still.
        if (where.empty() || where != position) {
            position = where;
            positionSince = now;
        }
        const float played = now - clock.First();
        if (now - positionSince >= kStallSeconds ||
            (length && played > *length + kOverrunSeconds) ||
            (ends.after && played >= *ends.after)) {
            return;
        }
        // The last turn before the cut ends on time.
        auto turn = static_cast<float>(kPlayingTurnMilliseconds);
        if (ends.after) {
            turn = std::clamp((*ends.after - played) * 1000.0F, 1.0F, turn);
        }
        IgnoreErrors([&] { process.PumpEvents(); });
        IgnoreErrors([&] { process.WaitForEvent(static_cast<unsigned>(turn)); });
        IgnoreErrors([&] { process.PumpEvents(); });
    }
}

void CloseMedia(platform::MediaDevice& media) { media.SendCommand(Command(L"close")); }

void PlayMediaShow(platform::Platform& os, platform::ShowWindow& window, const std::wstring& file,
                   const CutShort& cutShort) {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& media = os.media;
    if (settings.Width != 0) {
        IgnoreErrors([&] { ResizeShow(window, {settings.Width, settings.Height}); });
    }
    PlayMedia(media, window, file, settings.Width == 0);
    IgnoreErrors([&] { os.process.PumpEvents(); });
    PlayingEnds ends{std::nullopt, cutShort};
    if (settings.LimitMedia) {
        ends.after = std::clamp(settings.Time, 0.0F, kLongestShowSeconds);
    }
    WaitWhilePlaying(media, os.process, ends);
    IgnoreErrors([&] { CloseMedia(media); });
}

}  // namespace show
