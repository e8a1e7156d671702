#pragma once

#include <cstdint>
#include <vector>

#include "platform/orientation.h"
#include "platform/window_system.h"

namespace platform {

// The pixels of a size.width x size.height picture (rows top down) as they stand upright for
// the orientation: mirrored and turned by quarters. The size follows a quarter turn.
std::vector<std::uint32_t> Turned(const std::vector<std::uint32_t>& pixels, Size& size,
                                  Orientation orientation);

}  // namespace platform
