#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/window_system.h"

namespace win32 {

// A 32-bit top-down bitmap selected into a memory device context, freed with its owner.
class MemoryImage {
  public:
    // Throws platform::Error when the size is negative, too large to be kept in memory, or the
    // system refuses it.
    explicit MemoryImage(platform::Size size);
    MemoryImage(const MemoryImage&) = delete;
    MemoryImage& operator=(const MemoryImage&) = delete;
    ~MemoryImage();

    HDC Dc() const { return dc_; }
    platform::Size Size() const { return size_; }
    std::uint32_t* Pixels() const { return pixels_; }
    void Fill(COLORREF colour);

  private:
    platform::Size size_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

// Pictures above this many pixels are refused, so a huge file can neither exhaust the memory
// nor hold the show for long.
inline constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

}  // namespace win32
