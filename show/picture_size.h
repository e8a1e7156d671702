#pragma once

#include <cstdint>
#include <optional>

#include "platform/orientation.h"
#include "platform/window_system.h"

namespace show {

// The largest size of the picture's proportions that fits the screen, each side rounded to the
// nearest pixel; the picture's own size when it fits already, or when the screen is unknown.
platform::Size FitInto(platform::Size picture, std::optional<platform::Size> screen);

// The size at which the show draws a picture stored at `stored`: the fixed size when `Width`
// is not 0, however large; otherwise the picture turned upright, then fitted to the screen.
platform::Size ShownSize(platform::Size stored, platform::Orientation orientation,
                         std::int16_t width, std::int16_t height,
                         std::optional<platform::Size> screen);

// The size to which the stored picture is brought so that, turned by the orientation, it
// comes out at `shown`.
platform::Size BeforeTurn(platform::Size shown, platform::Orientation orientation);

}  // namespace show
