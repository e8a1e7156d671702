#pragma once

#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace win32 {

// The pixels of a size.width x size.height picture (rows top down) as they stand upright for
// the EXIF orientation (1-8): mirrored and turned by quarters. The size follows a quarter
// turn.
std::vector<std::uint32_t> Turned(const std::vector<std::uint32_t>& pixels, platform::Size& size,
                                  int orientation);

}  // namespace win32
