#include "config/ini_mod.h"

#include <algorithm>

#include "config/ini_form.h"
#include "platform/error.h"
#include "platform/text.h"

namespace IniMod {
namespace {

std::wstring& IniFileState() {
    static std::wstring path;
    return path;
}

}  // namespace

const std::wstring& IniFile() { return IniFileState(); }

void SetIniFile(const std::wstring& path) { IniFileState() = path; }

std::wstring ReadIni(platform::ProfileFile& profile, const std::wstring& section,
                     const std::wstring& key, const std::optional<std::wstring>& defaultValue) {
    // A file that cannot be read as bytes cannot be read by the profile functions either,
    // which then give the default.
    std::vector<std::uint8_t> bytes;
    platform::IgnoreErrors([&] { bytes = profile.Contents(IniFile()); });
    if (config::FormOf(bytes) == config::IniForm::Utf8) {
        return platform::TrimNull(config::FindIniValue(config::Utf8FileText(bytes), section, key)
                                      .value_or(defaultValue.value_or(L"")));
    }
    return platform::TrimNull(profile.Read(IniFile(), section, key, defaultValue));
}

void WriteIni(platform::ProfileFile& profile, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
    profile.Write(IniFile(), section, key, value);
}

void ChooseIniForm(platform::ProfileFile& profile, const std::vector<std::wstring>& values) {
    const auto bytes = profile.Contents(IniFile());
    const auto form = config::FormOf(bytes);
    const bool everyValueFits = std::all_of(values.begin(), values.end(), [&](const auto& value) {
        return profile.FitsCodePage(value);
    });
    if (config::SaveForm(form, everyValueFits) == form) {
        return;
    }
    const std::wstring text =
        form == config::IniForm::Utf8 ? config::Utf8FileText(bytes) : profile.FromCodePage(bytes);
    profile.Replace(IniFile(), config::Utf16LeFile(text));
}

}  // namespace IniMod
