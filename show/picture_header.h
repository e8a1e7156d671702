#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace show {

// Pictures above this many pixels are refused: decoding one would exhaust the memory or hold
// up the end of the session, and some decoders crash on them.
inline constexpr std::int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

// How much of a file the header check reads at most. A JPEG's frame header may follow large
// metadata segments, and every frame of a GIF is checked, so this is more than the first few
// bytes.
inline constexpr std::size_t kPictureHeaderBytes = 16U * 1024 * 1024;

enum class PictureFormat { Bmp, Gif, Jpeg, Png };

struct PictureHeader {
    PictureFormat format;
    std::uint32_t width;
    std::uint32_t height;
};

// The format and size that a file's first bytes declare, told from the content whatever the
// file's name: BMP (info or core header, top-down too), GIF (logical screen), JPEG (the first
// frame header) or PNG (image header). Nothing when the bytes are none of these, end before
// the size, or are out of order where a decoder would stumble on them.
std::optional<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> bytes);

// Why no decoder may see a picture file that starts with these bytes; nothing when one may.
// Beyond what ReadPictureHeader refuses: a side of zero, more than kMaxPicturePixels, and a
// GIF frame of either kind, within the bytes given.
std::optional<std::wstring> PictureRefusal(std::span<const std::uint8_t> bytes);

}  // namespace show
