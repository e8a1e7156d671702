#pragma once

#include <cstdint>

namespace platform {

// Pictures above this many pixels are refused, by their headers and by every decoder: decoding
// one would exhaust the memory or hold up the end of the session, and some decoders crash on
// them.
inline constexpr std::int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

constexpr bool TooManyPixels(std::int64_t width, std::int64_t height) {
    return width * height > kMaxPicturePixels;
}

}  // namespace platform
