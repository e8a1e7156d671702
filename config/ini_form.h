#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The forms in which the settings file stores its text, and the choice between them. Pure
// functions over the file's bytes: the code page itself is the platform's.
namespace config {

enum class IniForm {
    // The system's ANSI code page, no byte-order mark: what the file has always been.
    CodePage,
    // UTF-16 with its byte-order mark: the Unicode form the profile functions keep. They
    // write it little-endian; a file Notepad saved big-endian is left to them as it is.
    Utf16,
    // UTF-8 with its byte-order mark, as Notepad may save it. The profile functions of
    // Windows read it in the code page, so the program reads it itself.
    Utf8,
};

// The form the file's first bytes announce; no file (no bytes) is in the code page.
IniForm FormOf(std::span<const std::uint8_t> bytes);

// The form Save leaves the file in. A file in the code page stays in it, byte for byte, while
// every value fits the code page; otherwise, and for a UTF-8 file, it becomes UTF-16LE, and
// a UTF-16 file stays as it is.
IniForm SaveForm(IniForm current, bool everyValueFits);

// The text of a UTF-8 file, after its byte-order mark.
std::wstring Utf8FileText(std::span<const std::uint8_t> bytes);

// A whole file in UTF-16LE: the byte-order mark, then the text.
std::vector<std::uint8_t> Utf16LeFile(const std::wstring& text);

// The value of the key in the section of an initialization file's text, found as the profile
// functions find it: names without regard to ASCII case and the blanks around them, the value
// without its surrounding blanks or one pair of matching quotes, the first such key in a
// section of that name. Nothing when the section or the key is missing.
std::optional<std::wstring> FindIniValue(const std::wstring& text, const std::wstring& section,
                                         const std::wstring& key);

}  // namespace config
