#pragma once

#include <string>

namespace platform {

// Conversions between the program's wide text and the system's ANSI code page. Only the
// Win32 layer calls them: every narrow API gets its copy here and nowhere else.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
// As ToAnsi, for text that must be stored as it is: throws platform::Error, with the
// platform's description, when a character has no equivalent in the code page (ToAnsi puts
// a "?" or a look-alike in its place).
std::string ToAnsiExactly(const std::wstring& text);

}  // namespace platform
