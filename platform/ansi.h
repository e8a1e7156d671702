#pragma once

#include <string>

namespace platform {

// Conversions between the program's wide text and the system's ANSI code page. Only the
// Win32 layer calls them: every narrow API gets its copy here and nowhere else.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);

}  // namespace platform
