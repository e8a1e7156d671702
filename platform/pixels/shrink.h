#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace platform {

// Shrinks a picture to a smaller size (neither side larger) as the decoder hands out its rows,
// a band at a time: each pixel shown is the average of the stored pixels it covers, a box
// filter that keeps a photo's detail as a screen can show it. Neither the imaging component's
// scaler nor GDI's stretch is used for this: Wine's sample the nearest pixel whatever they are
// asked.
class PictureShrink {
  public:
    // Stored pixels of `bytesPerPixel` bytes: 3 (blue, green, red) or 4 (blue, green, red and
    // a premultiplied alpha, or an unused byte when `opaque`).
    PictureShrink(Size from, Size to, unsigned bytesPerPixel, bool opaque);

    // The next `rows` stored rows, `stride` bytes apart.
    void AddRows(const std::uint8_t* pixels, int rows, std::size_t stride);
    // The shrunk picture as premultiplied 0xAARRGGBB, rows top down; complete once every
    // stored row was added.
    const std::vector<std::uint32_t>& Pixels() const { return shown_; }

  private:
    void FinishRow();

    Size from_;
    Size to_;
    unsigned bytesPerPixel_;
    bool opaque_;
    // The first stored column of each shown column, and one past the last.
    std::vector<int> first_;
    // Sums of the shown row being gathered, four channels a pixel.
    std::vector<std::uint64_t> sums_;
    int storedRow_ = 0;
    int shownRow_ = 0;
    std::uint32_t rowsInShownRow_ = 0;
    std::vector<std::uint32_t> shown_;
};

}  // namespace platform
