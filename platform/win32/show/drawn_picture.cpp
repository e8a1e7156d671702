#include "platform/win32/show/drawn_picture.h"

#include <utility>

#include "platform/error.h"

namespace win32 {

void CheckFills(const MemoryImage& image, platform::Orientation orientation,
                platform::Size scaled) {
    if (orientation.SwapsSides()) {
        std::swap(scaled.width, scaled.height);
    }
    if (image.Size() != scaled) {
        throw platform::Error(L"The picture does not fill the box.");
    }
}

}  // namespace win32
