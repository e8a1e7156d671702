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

void ReadSettings(platform::Platform& os) {
    using platform::IgnoreErrors;
    auto& values = Settings();
    IgnoreErrors([&] { IniMod::SetIniFile(SettingsFilePath(os.process)); });
    for (const auto& file :
         {std::pair{L"MediaFile", &values.MediaFile}, std::pair{L"LogonFile", &values.LogonFile},
          std::pair{L"LogoffFile", &values.LogoffFile}, std::pair{L"LockFile", &values.LockFile},
          std::pair{L"UnlockFile", &values.UnlockFile}}) {
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
    IgnoreErrors([&] {
        // Only the two values the settings window writes; anything else keeps what it held.
        const auto limit = IniMod::ReadIni(os.profile, kSection, L"LimitMedia", L"0");
        if (limit == L"0" || limit == L"1") {
            values.LimitMedia = limit == L"1";
        }
    });
}

}  // namespace config
