#include "platform/win32/show/memory_image.h"

#include <algorithm>

#include "platform/picture_limit.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

platform::Size Checked(platform::Size size) {
    if (size.width < 0 || size.height < 0 || platform::TooManyPixels(size.width, size.height)) {
        throw platform::Error(L"The picture is too large.");
    }
    return size;
}

// A bitmap of no pixels does not exist in GDI; an empty image keeps one that nobody reads.
Bitmap CreateDib(platform::Size size, std::uint32_t*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max(size.width, 1);
    info.bmiHeader.biHeight = -std::max(size.height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    Succeeded(static_cast<bool>(bitmap));
    pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

MemoryDc CreateMemoryDc() {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    Succeeded(static_cast<bool>(dc));
    return dc;
}

}  // namespace

MemoryImage::MemoryImage(platform::Size size)
    : size_(Checked(size)),
      dc_(CreateMemoryDc()),
      bitmap_(CreateDib(size_, pixels_)),
      selection_(dc_.Get(), bitmap_.Get()) {}

void MemoryImage::Fill(COLORREF colour) {
    const auto count =
        static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height);
    std::fill_n(pixels_, count, ToPixel(colour));
}

}  // namespace win32
