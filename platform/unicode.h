#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Conversions between the program's wide text and the Unicode byte forms a file may hold.
// They need no code page, so they are the same on every platform (a wchar_t of 16 bits holds
// UTF-16, one of 32 bits whole characters).

// UTF-8 bytes as text; a byte that starts no valid sequence becomes U+FFFD, so that nothing
// after it is lost.
std::wstring FromUtf8(std::span<const std::uint8_t> bytes);

// The text as UTF-16 little-endian bytes, a character beyond U+FFFF as its surrogate pair.
std::vector<std::uint8_t> ToUtf16Le(const std::wstring& text);

}  // namespace platform
