#pragma once

#include <optional>
#include <string>

#include "platform/profile.h"

// The settings file: where it is, and one value read or written as text.
namespace IniMod {

// The settings file's full path, kept between calls; empty until SetIniFile.
const std::wstring& IniFile();
void SetIniFile(const std::wstring& path);

// The key's whole value, or the default (no default counts as empty) when the key, the
// section or the file is missing.
std::wstring ReadIni(platform::ProfileFile& profile, const std::wstring& section,
                     const std::wstring& key, const std::optional<std::wstring>& defaultValue);
// Sets the key in the file at IniFile(); throws platform::Error when it cannot be written.
void WriteIni(platform::ProfileFile& profile, const std::wstring& section, const std::wstring& key,
              const std::wstring& value);

}  // namespace IniMod
