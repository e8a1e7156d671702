#pragma once

#include <cstdint>
#include <vector>

namespace show {

// The EXIF orientation (1-8) that a camera recorded in a JPEG file's first bytes: how the
// stored picture must be turned and mirrored to stand upright. 0 when the bytes hold none:
// not a JPEG, no EXIF block, no orientation entry, a value out of range, or bytes cut short.
int ExifOrientation(const std::vector<std::uint8_t>& head);

// True for the orientations that turn the picture by a quarter, so that its width and height
// change places on screen.
constexpr bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

}  // namespace show
