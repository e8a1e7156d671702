#include "show/picture_with_sound.h"

#include <algorithm>
#include <optional>

#include "config/settings.h"
#include "platform/error.h"
#include "show/media_playback.h"
#include "show/picture_show.h"
#include "show/still_picture.h"

namespace show {

bool PlaysWithPicture(const std::wstring& sound) {
    return !sound.empty() && !IsStillPicture(sound) && !IsVideo(sound);
}

void ShowPictureWithSound(platform::Platform& os, platform::ShowWindow& window,
                          const std::wstring& picture, const std::wstring& sound,
                          const CutShort& cutShort) {
    const auto& settings = config::Settings();
    auto& media = os.media;
    const bool opened = PlaysWithPicture(sound) && OpenMedia(media, sound, false, 0);
    ShowStillPicture(os, window, picture);
    const bool playing = opened && StartPlayback(media);
    SteadyClock clock(os.process);
    const float end = WaitEnd(clock, settings.Time);
    if (playing) {
        PlayingEnds ends{std::nullopt, cutShort};
        if (settings.LimitMedia) {
            ends.after = std::max(end - clock.Now(), 0.0F);
        }
        WaitWhilePlaying(media, os.process, ends);
    }
    if (opened) {
        platform::IgnoreErrors([&] { CloseMedia(media); });
    }
    // A sound shorter than Time, or one that would not play, leaves the picture its time.
    platform::IgnoreErrors([&] { WaitUntil(os.process, clock, end, cutShort); });
}

}  // namespace show
