#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/orientation.h"
#include "platform/window_system.h"
#include "show/still_picture.h"

namespace show {

// What the show needs to know of a picture file before any decoder sees it, from one read of
// the file's start.
struct PictureInspection {
    PictureRoad road = PictureRoad::Decoder;
    // The size as stored, before any turn. On the PNG road, what the PNG size probe read (0 x 0
    // where it read nothing); elsewhere the size the header declares, nothing for the formats
    // whose decoder tells it.
    std::optional<platform::Size> size;
    // As the file's own EXIF block records it.
    std::optional<platform::Orientation> orientation;
    // Why no decoder may see the file; nothing when one may.
    std::optional<std::wstring> refusal;
};

// What the first read takes: enough for every signature and header and for the EXIF block of a
// camera's JPEG, which a 64 KiB thumbnail segment may precede. Only a GIF, whose every frame is
// checked, or a file whose header these bytes do not hold, is read on, up to
// kPictureHeaderBytes.
inline constexpr std::size_t kPictureHeadBytes = 192U * 1024;

// Reads the file's start once and tells what it holds. A file that is missing or cannot be
// read is refused.
PictureInspection InspectPictureFile(const platform::FileSystem& files, const std::wstring& path);

}  // namespace show
