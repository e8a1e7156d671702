#pragma once

#include <string>

namespace platform {

// Conversions between the program's wide text and the system's ANSI code page, in which the
// settings file stays while it can. Only the Win32 layer calls them.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
// Whether the code page holds every character of the text as it is: ToAnsi puts a "?" or a
// look-alike in the place of one it has not.
bool FitsAnsi(const std::wstring& text);

}  // namespace platform
