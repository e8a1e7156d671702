#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace config {

// The settings of the process, filled only by ReadSettings. Only Width chooses the size: 0 is
// the media's natural size (Height then ignored), anything else the fixed size Width x Height.
// Time and the size hold for every moment's file. LimitMedia cuts a video or sound after Time
// too; else only a still picture is bound by it. A moment's sound plays only with a still
// picture. Backdrop covers the whole desktop with black behind a picture or video.
struct SettingsValues {
    std::wstring MediaFile;
    float Time = 0.0F;
    std::int16_t Width = 0;
    std::int16_t Height = 0;
    std::wstring LogonFile;
    std::wstring LogoffFile;
    std::wstring LockFile;
    std::wstring UnlockFile;
    bool LimitMedia = false;
    std::wstring MediaSound;
    std::wstring LogonSound;
    std::wstring LogoffSound;
    std::wstring UnlockSound;
    bool Backdrop = false;
};

SettingsValues& Settings();

inline constexpr wchar_t kSection[] = L"Kestro";
inline constexpr wchar_t kIniName[] = L"kestro.ini";

// The settings file beside the executable.
std::wstring SettingsFilePath(const platform::Process& process);

// Fills the values from the settings file; a value that does not convert keeps what it
// held. Never fails.
void ReadSettings(platform::Platform& os);

// The settings window's test starts a show process with this argument, followed by the path,
// in double quotes, of a settings file that holds the values as typed.
inline constexpr wchar_t kTrialArgument[] = L"/kestro-try-show";

// From now on the process reads its settings from this file instead of kestro.ini (from
// kestro.ini again for an empty path). The first read deletes it; later reads keep what it
// held.
void UseTrialSettings(const std::wstring& path);

}  // namespace config
