#include "config/settings.h"

#include <utility>

#include "config/ini_mod.h"
#include "config/number_text.h"
#include "platform/error.h"
#include "platform/text.h"

namespace config {

SettingsValues& Settings() {
    static SettingsValues values;
    return values;
}

std::wstring SettingsFilePath(const platform::Process& process) {
    return platform::AddBackslash(process.AppPath()) + kIniName;
}

namespace {

struct Trial {
    std::wstring path;
    bool read = false;
};

Trial& TheTrial() {
    static Trial trial;
    return trial;
}

void ReadValues(platform::Platform& os) {
    using platform::IgnoreErrors;
    auto& values = Settings();
    for (const auto& file :
         {std::pair{L"MediaFile", &values.MediaFile}, std::pair{L"LogonFile", &values.LogonFile},
          std::pair{L"LogoffFile", &values.LogoffFile}, std::pair{L"LockFile", &values.LockFile},
          std::pair{L"UnlockFile", &values.UnlockFile},
          std::pair{L"MediaSound", &values.MediaSound},
          std::pair{L"LogonSound", &values.LogonSound},
          std::pair{L"LogoffSound", &values.LogoffSound},
          std::pair{L"UnlockSound", &values.UnlockSound}}) {
        IgnoreErrors([&] {
            *file.second = IniMod::ReadIni(os.profile, kSection, file.first, std::nullopt);
        });
    }
    IgnoreErrors([&] {
        if (auto time = ParseSingle(IniMod::ReadIni(os.profile, kSection, L"Time", L"3"))) {
            values.Time = *time;
        }
    });
    IgnoreErrors([&] {
        if (auto width =
                ParseInt16(IniMod::ReadIni(os.profile, kSection, L"Width", std::nullopt))) {
            values.Width = *width;
        }
    });
    IgnoreErrors([&] {
        if (auto height =
                ParseInt16(IniMod::ReadIni(os.profile, kSection, L"Height", std::nullopt))) {
            values.Height = *height;
        }
    });
    // Only the two values the settings window writes; anything else keeps what it held.
    for (const auto& flag :
         {std::pair{L"LimitMedia", &values.LimitMedia}, std::pair{L"Backdrop", &values.Backdrop}}) {
        IgnoreErrors([&] {
            const auto value = IniMod::ReadIni(os.profile, kSection, flag.first, L"0");
            if (value == L"0" || value == L"1") {
                *flag.second = value == L"1";
            }
        });
    }
}

}  // namespace

void UseTrialSettings(const std::wstring& path) { TheTrial() = {path, false}; }

void ReadSettings(platform::Platform& os) {
    using platform::IgnoreErrors;
    auto& trial = TheTrial();
    if (trial.path.empty()) {
        IgnoreErrors([&] { IniMod::SetIniFile(SettingsFilePath(os.process)); });
        ReadValues(os);
        return;
    }
    if (std::exchange(trial.read, true)) {
        return;
    }
    IgnoreErrors([&] { IniMod::SetIniFile(trial.path); });
    ReadValues(os);
    // A test's file serves once; the temporary folder keeps nothing of it.
    IgnoreErrors([&] { os.files.RemoveFile(trial.path); });
}

}  // namespace config
