#include "platform/win32/show/picture_box.h"

#include "platform/timing.h"
#include "platform/win32/base/gdi.h"
#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_proc.h"
#include "platform/win32/show/picture_decoder.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroPictureBox";

COLORREF Background() { return GetSysColor(COLOR_ACTIVECAPTION); }

const ImagingPicture& Drawn(const platform::Picture& picture) {
    const auto* drawn = dynamic_cast<const ImagingPicture*>(&picture);
    if (drawn == nullptr) {
        throw platform::Error(L"Not a picture of this platform.");
    }
    return *drawn;
}

const MemoryImage& Existing(const std::shared_ptr<MemoryImage>& image) {
    if (!image) {
        throw platform::Error(L"The picture box has no persistent image.");
    }
    return *image;
}

// Not make_shared: its control block compares type_info, which clang's MinGW build then
// defines a second time beside the C++ library's own.
std::shared_ptr<MemoryImage> NewImage(platform::Size size) {
    return std::shared_ptr<MemoryImage>(new MemoryImage(size));
}

std::shared_ptr<MemoryImage> CopyOf(const MemoryImage& image) {
    auto copy = NewImage(image.Size());
    BitBlt(copy->Dc(), 0, 0, image.Size().width, image.Size().height, image.Dc(), 0, 0, SRCCOPY);
    return copy;
}

}  // namespace

PictureBox::PictureBox(HWND parent, const RECT& bounds) {
    // No class background: the box paints every pixel itself, and an erase would flicker.
    RegisterWindowClass(kClassName, &OwnerWindowProc<PictureBox>, nullptr);
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
    Succeeded(hwnd_ != nullptr);
}

LRESULT PictureBox::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            {
                const PaintDc dc(hwnd);
                Paint(dc.Get());
            }
            platform::TimeStamp("painted");
            return 0;
        }
        case WM_PRINTCLIENT:
            // The message carries the device context in its parameter.
            Paint(reinterpret_cast<HDC>(wParam));  // NOLINT(performance-no-int-to-ptr)
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void PictureBox::Paint(HDC dc) const {
    if (image_) {
        const auto size = image_->Size();
        BitBlt(dc, 0, 0, size.width, size.height, image_->Dc(), 0, 0, SRCCOPY);
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillSolid(dc, client, Background());
    DrawDisplayedPicture(dc);
}

void PictureBox::DrawDisplayedPicture(HDC dc) const {
    if (imageCopy_) {
        const auto size = imageCopy_->Size();
        BitBlt(dc, 0, 0, size.width, size.height, imageCopy_->Dc(), 0, 0, SRCCOPY);
    }
}

void PictureBox::RebuildImage() {
    image_.reset();
    if (!persistent_) {
        return;
    }
    try {
        auto image = NewImage(InnerSize());
        image->Fill(Background());
        DrawDisplayedPicture(image->Dc());
        image_ = std::move(image);
    } catch (const platform::Error&) {
        // Too large to keep: the box shows its background, and drawing into it fails.
    }
}

MemoryImage& PictureBox::Image() {
    Existing(image_);
    if (image_ == imageCopy_) {
        image_ = CopyOf(*image_);
    }
    return *image_;
}

void PictureBox::SetPersistentDrawing(bool on) {
    if (on != persistent_) {
        persistent_ = on;
        RebuildImage();
    }
}

void PictureBox::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) {
        throw platform::Error(L"A size cannot be negative.");
    }
    const auto before = InnerSize();
    Succeeded(MoveWindow(hwnd_, left, top, width, height, TRUE));
    const auto after = InnerSize();
    if (after.width != before.width || after.height != before.height) {
        RebuildImage();
    }
}

platform::Size PictureBox::InnerSize() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return {client.right - client.left, client.bottom - client.top};
}

void PictureBox::Refresh() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PictureBox::ImageToPicture() {
    Existing(image_);
    imageCopy_ = image_;
}

void PictureBox::DrawPicture(const platform::Picture& picture, platform::Orientation orientation,
                             platform::Size scaled) {
    Drawn(picture).Draw(Image(), orientation, scaled);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace win32

namespace win32 {

std::uint32_t PictureBox::PixelAt(int x, int y) const {
    if (!image_ || x < 0 || y < 0 || x >= image_->Size().width || y >= image_->Size().height) {
        return ToPixel(Background());
    }
    return image_->Pixels()[static_cast<std::size_t>(y) * image_->Size().width + x] & 0xFFFFFFU;
}

}  // namespace win32
