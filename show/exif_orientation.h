#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/orientation.h"

namespace show {

// The EXIF orientation that a camera recorded in a JPEG file's first bytes: how the stored
// picture must be turned and mirrored to stand upright. Nothing when the bytes hold none: not
// a JPEG, no EXIF block, no orientation entry, a value out of range, or bytes cut short.
std::optional<platform::Orientation> ExifOrientation(std::span<const std::uint8_t> head);

}  // namespace show
