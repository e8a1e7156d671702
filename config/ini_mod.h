#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/profile.h"

// The settings file: where it is, and one value read or written as text.
namespace IniMod {

// The settings file's full path, kept between calls; empty until SetIniFile.
const std::wstring& IniFile();
void SetIniFile(const std::wstring& path);

// The key's whole value, or the default (no default counts as empty) when the key, the
// section or the file is missing. The file may be in the code page, UTF-16LE or UTF-8.
std::wstring ReadIni(platform::ProfileFile& profile, const std::wstring& section,
                     const std::wstring& key, const std::optional<std::wstring>& defaultValue);
// Sets the key in the file at IniFile(); throws platform::Error when it cannot be written.
void WriteIni(platform::ProfileFile& profile, const std::wstring& section, const std::wstring& key,
              const std::wstring& value);
// Readies the file at IniFile() for a Save of these values: a file in the code page stays
// as it is while every value fits the code page; otherwise it is first rewritten in UTF-16LE,
// every value it holds kept, so that the writes that follow store each value whole. Throws
// platform::Error when the file cannot be read or rewritten.
void ChooseIniForm(platform::ProfileFile& profile, const std::vector<std::wstring>& values);

}  // namespace IniMod
