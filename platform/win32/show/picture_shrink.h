#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace win32 {

// Shrinks a picture to a smaller size (neither side larger) as the decoder hands out its rows,
// a band at a time: each pixel shown is the average of the stored pixels it covers, a box
// filter that keeps a photo's detail as a screen can show it. The imaging component's own
// scaler is not used for this: Wine's samples the nearest pixel whatever it is asked.
class PictureShrink {
  public:
    // Stored pixels of `bytesPerPixel` bytes: 3 (blue, green, red) or 4 (blue, green, red and
    // a premultiplied alpha, or an unused byte when `opaque`).
    PictureShrink(platform::Size from, platform::Size to, unsigned bytesPerPixel, bool opaque);

    // The next `rows` stored rows, `stride` bytes apart.
    void AddRows(const BYTE* pixels, int rows, std::size_t stride);
    // The shrunk picture as premultiplied 0xAARRGGBB, rows top down; complete once every
    // stored row was added.
    const std::vector<std::uint32_t>& Pixels() const { return shown_; }

  private:
    void FinishRow();

    platform::Size from_;
    platform::Size to_;
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

}  // namespace win32
