#include "config/language.h"

#include "config/ini_mod.h"
#include "config/settings.h"
#include "platform/error.h"
#include "platform/text.h"

namespace config {

platform::Language LanguageFor(const std::wstring& key, std::uint16_t userLanguage) {
    const std::wstring name = platform::LowerCase(key);
    if (name == L"ja") {
        return platform::Language::Japanese;
    }
    if (name == L"en") {
        return platform::Language::English;
    }
    return platform::LanguageOfUser(userLanguage);
}

void ChooseLanguage(platform::Platform& os) {
    std::wstring key;
    platform::IgnoreErrors([&] {
        IniMod::SetIniFile(SettingsFilePath(os.process));
        key = IniMod::ReadIni(os.profile, kSection, L"Language", std::nullopt);
    });
    platform::UseLanguage(LanguageFor(key, os.process.UserLanguage()));
}

}  // namespace config
