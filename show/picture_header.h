#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "platform/window_system.h"

namespace show {

// How much of a file the header check reads at most. A JPEG's frame header may follow large
// metadata segments, and every frame of a GIF is checked, so this is more than the first few
// bytes.
inline constexpr std::size_t kPictureHeaderBytes = 16U * 1024 * 1024;

// What a picture file holds, told by its first bytes, whatever its name says.
enum class PictureContent { Unknown, Png, Bmp, Gif, Jpeg, Tiff, WebP, Heif, Icon };

// The format that the file's first bytes name by their signature, nothing else read.
PictureContent PictureContentOf(std::span<const std::uint8_t> bytes);

// What a file's first bytes say of the picture in it.
struct PictureHeader {
    PictureContent content = PictureContent::Unknown;
    // The size as stored, before any turn, where the header check reads it (BMP, GIF, JPEG and
    // PNG) and accepts it; the decoder tells the others' size and checks it itself.
    std::optional<platform::Size> size;
    // Why no decoder may see the file; nothing when one may.
    std::optional<std::wstring> refusal;
};

// Reads the format by its signature and, for BMP (info or core header, top-down too), GIF
// (logical screen and every frame within the bytes), JPEG (the first frame header) and PNG
// (image header), the size, full 32 bits of it. Refused: content of no known signature, a
// header that ends before the size or is out of order where a decoder would stumble on it, a
// side of zero, more than platform::kMaxPicturePixels, and a GIF frame of either kind.
PictureHeader ReadPictureHeader(std::span<const std::uint8_t> bytes);

}  // namespace show
