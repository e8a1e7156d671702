#include "platform/win32/ole_picture.h"

#include <cstring>

#include "platform/win32/gdi.h"
#include "platform/win32/handle.h"
#include "platform/win32/win32_error.h"

namespace win32 {
namespace {

constexpr LONGLONG kMaxFileBytes = 256LL * 1024 * 1024;

int ScreenDpi(int index) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The whole file in movable global memory, as the loader's stream wants it.
HGLOBAL ReadIntoGlobal(const std::wstring& path) {
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw LastError();
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        throw LastError();
    }
    if (size.QuadPart == 0 || size.QuadPart > kMaxFileBytes) {
        throw platform::Error(L"Invalid picture");
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size.QuadPart));
    if (memory == nullptr) {
        throw LastError();
    }
    void* bytes = GlobalLock(memory);
    DWORD read = 0;
    const BOOL ok = ReadFile(file.Get(), bytes, static_cast<DWORD>(size.QuadPart), &read, nullptr);
    GlobalUnlock(memory);
    if (!ok || read != size.QuadPart) {
        GlobalFree(memory);
        throw platform::Error(L"Invalid picture");
    }
    return memory;
}

}  // namespace

OlePicture::OlePicture(const std::wstring& path) {
    HGLOBAL memory = ReadIntoGlobal(path);
    ComPtr<IStream> stream;
    const HRESULT created = CreateStreamOnHGlobal(memory, TRUE, stream.Put());
    if (FAILED(created)) {
        GlobalFree(memory);
        Check(created);
    }
    Check(OleLoadPicture(stream.Get(), 0, FALSE, IID_IPicture,
                         reinterpret_cast<void**>(picture_.Put())));
    const auto size = PixelSize();
    if (size.width <= 0 || size.height <= 0 ||
        static_cast<std::int64_t>(size.width) * size.height > kMaxPixels) {
        throw platform::Error(L"Invalid picture");
    }
}

platform::Size OlePicture::PixelSize() const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    return {MulDiv(width, ScreenDpi(LOGPIXELSX), 2540),
            MulDiv(height, ScreenDpi(LOGPIXELSY), 2540)};
}

void OlePicture::Render(HDC dc, int width, int height) const {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture_->get_Width(&hmWidth);
    picture_->get_Height(&hmHeight);
    // The source rectangle runs upwards in HIMETRIC.
    Check(picture_->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
}

}  // namespace win32
