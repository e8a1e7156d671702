#include "config/ini_mod.h"

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
    return platform::TrimNull(profile.Read(IniFile(), section, key, defaultValue));
}

void WriteIni(platform::ProfileFile& profile, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
    profile.Write(IniFile(), section, key, value);
}

}  // namespace IniMod
