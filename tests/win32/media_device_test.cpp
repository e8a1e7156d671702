#include "platform/win32/media/media_device.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text.h"
#include "temp_dir.h"

namespace {

// A WAV file of `samples` silent 8-bit mono samples at 8000 per second.
std::string SilentWav(std::uint32_t samples) {
    const auto word = [](std::uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return out;
    };
    return "RIFF" + word(36 + samples, 4) + "WAVEfmt " + word(16, 4) + word(1, 2) + word(1, 2) +
           word(8000, 4) + word(8000, 4) + word(1, 2) + word(8, 2) + "data" + word(samples, 4) +
           std::string(samples, '\x80');
}

std::wstring Query(win32::MediaDevice& media, const std::wstring& command) {
    std::wstring reply(256, L'\0');
    media.SendQuery(command, reply, 255);
    return platform::TrimNull(reply);
}

TEST(MediaDeviceTest, DrivesARealDeviceThroughCommandStrings) {
    TempDir dir;
    // An emoji and Hangul, which no ANSI code page of Japan holds, in the form the device
    // takes.
    for (const auto* name : {L"quiet tone.wav", L"\U0001F305 \uC548\uB155.wav"}) {
        dir.Write(name, SilentWav(8000));
        win32::MediaDevice media;
        media.SendCommand(L"open \"" + media.DevicePath(dir.File(name)) + L"\" alias kestro");
        EXPECT_EQ(Query(media, L"status kestro length"), L"1000");
        media.SendCommand(L"close kestro");
    }
    win32::MediaDevice media;
    media.SendCommand(L"open \"" + dir.File(L"quiet tone.wav") + L"\" alias kestro");
    EXPECT_EQ(Query(media, L"status kestro mode"), L"stopped");
    std::wstring reply(12, L'x');
    media.SendQuery(L"status kestro mode", reply, 11);
    EXPECT_EQ(reply, std::wstring(L"stopped") + L'\0' + L"xxxx");
    media.SendCommand(L"close kestro");
    // A closed alias answers nothing, and a failing command is no error.
    EXPECT_EQ(Query(media, L"status kestro mode"), L"");
    EXPECT_NO_THROW(media.SendCommand(L"play kestro"));
}

TEST(MediaDeviceTest, ReportsTheEndOfPlaybackAsAWindowEvent) {
    TempDir dir;
    dir.Write(L"short.wav", SilentWav(2000));
    win32::MediaDevice media;
    media.SendCommand(L"open \"" + dir.File(L"short.wav") + L"\" alias kestro");
    media.SendNotifyingCommand(L"play kestro notify");
    const DWORD started = GetTickCount();
    MSG message{};
    while (!media.EndReported() && GetTickCount() - started < 5000) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, 0);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    EXPECT_TRUE(media.EndReported());
    // Not before the quarter of a second that the sound lasts.
    EXPECT_GE(GetTickCount() - started, 200U);
    media.SendCommand(L"close kestro");
}

TEST(MediaDeviceTest, ReplyKeepsWhatTheDeviceDidNotWrite) {
    win32::MediaDevice media;
    std::wstring reply(8, L'x');
    media.SendQuery(L"status kestro mode", reply, 7);
    EXPECT_EQ(reply, std::wstring(8, L'x'));
}

}  // namespace
