#include "platform/win32/show/ole_picture.h"

#include <cstdint>

#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/dpi.h"
#include "platform/win32/files/file_system.h"
#include "platform/win32/base/gdi.h"
#include "platform/win32/show/memory_image.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

// Larger files are not pictures anybody shows at the end of a session; reading them would
// only hold the shutdown up.
constexpr std::uint64_t kMaxFileBytes = 256ULL * 1024 * 1024;

ComPtr<IStream> StreamOf(const std::vector<std::uint8_t>& bytes) {
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    ULONG written = 0;
    Check(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
    Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    return stream;
}

}  // namespace

OlePicture::OlePicture(const std::wstring& path) {
    EnterApartment();
    const auto bytes = ReadWholeFile(path, kMaxFileBytes);
    if (bytes.empty()) {
        throw platform::Error(L"The file is empty.");
    }
    const auto stream = StreamOf(bytes);
    Check(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                         picture_.PutVoid()));
    const auto size = PixelSize();
    if (size.width <= 0 || size.height <= 0 || TooLarge(size.width, size.height)) {
        throw platform::Error(L"The picture has no usable size.");
    }
}

platform::Size OlePicture::PixelSize() const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    Check(picture_->get_Width(&width));
    Check(picture_->get_Height(&height));
    // At the DPI that the picture's HIMETRIC size was worked out with: its natural size.
    return {MulDiv(width, SystemDpi(), 2540), MulDiv(height, SystemDpi(), 2540)};
}

void OlePicture::Render(HDC dc, int width, int height) const {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    Check(picture_->get_Width(&hmWidth));
    Check(picture_->get_Height(&hmHeight));
    // Drawn smaller than it is, a photo keeps its detail only when the pixels it loses are
    // averaged; the device context's default mode drops them. Enlarged, it stays sharp.
    const auto natural = PixelSize();
    const bool smaller = width < natural.width || height < natural.height;
    SetStretchBltMode(dc, smaller ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    // HIMETRIC runs upwards: the source rectangle starts at the bottom and has a negative
    // height, or the picture comes out upside down.
    Check(picture_->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
}

}  // namespace win32
