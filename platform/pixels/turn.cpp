#include "platform/pixels/turn.h"

#include <cstddef>
#include <utility>

namespace platform {

std::vector<std::uint32_t> Turned(const std::vector<std::uint32_t>& pixels, Size& size,
                                  Orientation orientation) {
    const std::size_t width = static_cast<std::size_t>(size.width);
    const std::size_t height = static_cast<std::size_t>(size.height);
    const bool quarter = orientation.SwapsSides();
    const std::size_t shownWidth = quarter ? height : width;
    const std::size_t shownHeight = quarter ? width : height;
    std::vector<std::uint32_t> shown(pixels.size());
    for (std::size_t y = 0; y < shownHeight; ++y) {
        for (std::size_t x = 0; x < shownWidth; ++x) {
            // Where the pixel shown at (x, y) is stored.
            std::size_t sx = x;
            std::size_t sy = y;
            switch (orientation.Exif()) {
                case 2:
                    sx = width - 1 - x;
                    break;
                case 3:
                    sx = width - 1 - x;
                    sy = height - 1 - y;
                    break;
                case 4:
                    sy = height - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = height - 1 - x;
                    break;
                case 7:
                    sx = width - 1 - y;
                    sy = height - 1 - x;
                    break;
                case 8:
                    sx = width - 1 - y;
                    sy = x;
                    break;
                default:
                    break;
            }
            shown[y * shownWidth + x] = pixels[sy * width + sx];
        }
    }
    if (quarter) {
        std::swap(size.width, size.height);
    }
    return shown;
}

}  // namespace platform
