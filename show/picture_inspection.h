#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/orientation.h"
#include "show/picture_header.h"

namespace show {

// A picture file as the show reads it, once, before any decoder sees it: its bytes and what
// their head says of the picture.
struct PictureInspection {
    PictureHeader header;
    // As the file's own EXIF block records it.
    std::optional<platform::Orientation> orientation;
    // The whole file while no decoder has taken it; empty when it is refused.
    std::vector<std::uint8_t> bytes;
};

// Where a camera's JPEG keeps its EXIF block: within this much of the file's start, after a
// thumbnail segment of up to 64 KiB.
inline constexpr std::size_t kPictureHeadBytes = 192U * 1024;

// Larger files are not pictures anybody shows at the end of a session; reading them would only
// hold it up. The largest picture there is, 64 Mi pixels of four bytes, fits with its headers.
inline constexpr std::size_t kMaxPictureFileBytes = 257U * 1024 * 1024;

// Reads the file, whole, and tells what it holds; a file whose first kPictureHeadBytes name no
// picture is read no further. A file that is missing, cannot be read or is larger than
// kMaxPictureFileBytes is refused.
PictureInspection InspectPictureFile(const platform::FileSystem& files, const std::wstring& path);

}  // namespace show
