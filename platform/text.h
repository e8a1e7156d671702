#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The text before its first NUL, for buffers the platform has filled.
std::wstring TrimNull(const std::wstring& text);

// Directory paths are passed around with a trailing backslash so that file names can be
// appended directly.
std::wstring AddBackslash(const std::wstring& text);

// Lower case for the command line and file endings (ASCII letters only, so the result does
// not depend on the user's locale).
std::wstring LowerCase(std::wstring text);

// The last `count` characters, or the whole text when it is shorter.
std::wstring LastChars(const std::wstring& text, std::size_t count);

}  // namespace platform
