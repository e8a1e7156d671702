#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/error.h"

namespace win32 {

// The longest path the file system takes (with the "\\?\" prefix), and its NUL: a buffer of
// this size holds any path, so that no folder comes back cut (a long user name, a redirected
// profile).
inline constexpr DWORD kFullPathLength = 32768;

// The text that a Win32 call writes into the caller's buffer, whatever its length.
// call(buffer, size) gives the length it wrote when all of it fitted, or nothing when the
// buffer was too small; the buffer then doubles and the call runs again. Throws
// platform::Error when no sensible buffer is large enough.
template <typename Char, typename Call>
std::basic_string<Char> GrowUntilFits(Call call) {
    constexpr DWORD kLargest = 1U << 24;
    for (DWORD size = MAX_PATH; size <= kLargest; size *= 2) {
        std::basic_string<Char> buffer(size, Char{});
        if (const std::optional<DWORD> length = call(buffer.data(), size)) {
            buffer.resize(*length);
            return buffer;
        }
    }
    throw platform::Error(L"The text does not fit in any buffer.");
}

}  // namespace win32
