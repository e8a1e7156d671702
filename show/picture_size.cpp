#include "show/picture_size.h"

#include <algorithm>
#include <utility>

namespace show {
namespace {

// a * b / c rounded to the nearest whole number, for sides and screens of up to 2^31 pixels.
int Scaled(int a, int b, int c) {
    const auto product = static_cast<long long>(a) * b;
    return static_cast<int>((2 * product + c) / (2 * static_cast<long long>(c)));
}

}  // namespace

platform::Size FitInto(platform::Size picture, std::optional<platform::Size> screen) {
    // A picture without an area has no proportions to keep.
    if (!screen || screen->width <= 0 || screen->height <= 0 || picture.width <= 0 ||
        picture.height <= 0 ||
        (picture.width <= screen->width && picture.height <= screen->height)) {
        return picture;
    }
    // The side that overshoots the screen by the larger factor meets the screen's edge.
    if (static_cast<long long>(picture.width) * screen->height >=
        static_cast<long long>(picture.height) * screen->width) {
        return {screen->width, std::max(1, Scaled(picture.height, screen->width, picture.width))};
    }
    return {std::max(1, Scaled(picture.width, screen->height, picture.height)), screen->height};
}

platform::Size ShownSize(platform::Size stored, platform::Orientation orientation,
                         std::int16_t width, std::int16_t height,
                         std::optional<platform::Size> screen) {
    if (width != 0) {
        return {width, height};
    }
    if (orientation.SwapsSides()) {
        std::swap(stored.width, stored.height);
    }
    return FitInto(stored, screen);
}

platform::Size BeforeTurn(platform::Size shown, platform::Orientation orientation) {
    if (orientation.SwapsSides()) {
        std::swap(shown.width, shown.height);
    }
    return shown;
}

}  // namespace show
