#include "platform/win32/picture_box.h"

#include "platform/win32/png_decoder.h"
#include "platform/win32/win32_error.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroPictureBox";

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

COLORREF Background() { return GetSysColor(COLOR_ACTIVECAPTION); }

}  // namespace

PictureBox::PictureBox(HWND parent, platform::ByeWindowEvents& events, RECT bounds)
    : events_(events) {
    RegisterClassOnce();
    hwnd_ =
        CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, bounds.left,
                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw LastError();
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PictureBox::WindowProc));
}

PictureBox::~PictureBox() {
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
    }
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (box != nullptr && message == WM_PAINT) {
        box->Paint();
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PictureBox::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (image_) {
        BitBlt(dc, 0, 0, image_->Size().width, image_->Size().height, image_->Dc(), 0, 0, SRCCOPY);
    } else {
        HBRUSH brush = CreateSolidBrush(Background());
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        if (picture_ != nullptr) {
            try {
                const auto size = picture_->PixelSize();
                picture_->Render(dc, size.width, size.height);
            } catch (const platform::Error&) {
            }
        }
    }
    EndPaint(hwnd_, &paint);
}

void PictureBox::RebuildImage() {
    image_.reset();
    if (!persistent_) {
        return;
    }
    try {
        auto image = std::make_unique<MemoryImage>(InnerSize());
        image->Fill(Background());
        if (picture_ != nullptr) {
            const auto size = picture_->PixelSize();
            picture_->Render(image->Dc(), size.width, size.height);
        }
        image_ = std::move(image);
    } catch (const platform::Error&) {
        // No image for a box this large: it shows its background, and drawing into it fails.
    }
}

MemoryImage& PictureBox::Image() {
    if (!image_) {
        throw platform::Error(L"The picture box has no image to draw into.");
    }
    return *image_;
}

void PictureBox::SetPersistentDrawing(bool on) {
    persistent_ = on;
    RebuildImage();
}

void PictureBox::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) {
        throw platform::Error(L"Invalid property value");
    }
    const auto before = InnerSize();
    MoveWindow(hwnd_, left, top, width, height, TRUE);
    if (before.width != width || before.height != height) {
        RebuildImage();
        events_.OnPictureResize();
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
    // The persistent image is already what the box paints; keeping it is all that is needed.
    Image();
}

void PictureBox::SetPicture(const platform::Picture& picture) {
    picture_ = &dynamic_cast<const OlePicture&>(picture);
    const auto size = picture_->PixelSize();
    Move(0, 0, size.width, size.height);
    RebuildImage();
    Refresh();
    // The box keeps showing what it drew; the loaded picture goes away with its owner.
    picture_ = nullptr;
}

void PictureBox::PaintPicture(const platform::Picture& picture, int width, int height) {
    dynamic_cast<const OlePicture&>(picture).Render(Image().Dc(), width, height);
    Refresh();
}

void PictureBox::DrawPngFile(const std::wstring& path) { DrawPng(path, Image()); }

std::uint32_t PictureBox::PixelAt(int x, int y) const {
    if (!image_) {
        const COLORREF colour = Background();
        return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    return image_->Pixels()[static_cast<std::size_t>(y) * image_->Size().width + x] & 0xFFFFFFU;
}

}  // namespace win32
