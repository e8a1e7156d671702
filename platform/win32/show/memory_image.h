#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32/base/gdi.h"
#include "platform/win32/base/handle.h"
#include "platform/window_system.h"

namespace win32 {

// A 32-bit top-down bitmap selected into a memory device context: an image that GDI draws
// into and that the program can read and write pixel by pixel (0x00RRGGBB).
class MemoryImage {
  public:
    // Throws platform::Error for a negative or too large size, or when the system refuses.
    explicit MemoryImage(platform::Size size);

    HDC Dc() const { return dc_.Get(); }
    platform::Size Size() const { return size_; }
    std::uint32_t* Pixels() { return pixels_; }
    const std::uint32_t* Pixels() const { return pixels_; }
    void Fill(COLORREF colour);

  private:
    platform::Size size_;
    MemoryDc dc_;
    // Before the bitmap: making the bitmap sets it.
    std::uint32_t* pixels_ = nullptr;
    Bitmap bitmap_;
    // Declared last so that the bitmap leaves the context before either is freed.
    Selection selection_;
};

}  // namespace win32
