#include "platform/win32/gdi.h"

#include "platform/win32/win32_error.h"

namespace win32 {

MemoryImage::MemoryImage(platform::Size size) : size_(size) {
    if (size.width < 0 || size.height < 0 ||
        static_cast<std::int64_t>(size.width) * size.height > kMaxPixels) {
        throw platform::Error(L"The picture is too large.");
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width > 0 ? size.width : 1;
    info.bmiHeader.biHeight = -(size.height > 0 ? size.height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc_ == nullptr || bitmap_ == nullptr) {
        const auto error = LastError();
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
        throw error;
    }
    pixels_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
}

MemoryImage::~MemoryImage() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void MemoryImage::Fill(COLORREF colour) {
    const std::uint32_t pixel =
        (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const std::int64_t count = static_cast<std::int64_t>(size_.width) * size_.height;
    for (std::int64_t i = 0; i < count; ++i) {
        pixels_[i] = pixel;
    }
}

}  // namespace win32
