#include "platform/win32/show/ole_picture.h"

#include <algorithm>

#include "platform/picture_limit.h"
#include "platform/pixels/shrink.h"
#include "platform/pixels/turn.h"
#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/dpi.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

// The stream that the loader reads, holding its own copy of the bytes: the file's bytes are
// freed before the loader makes a third copy of them and decodes.
ComPtr<IStream> StreamOf(std::vector<std::uint8_t> bytes) {
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    ULONG written = 0;
    Check(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
    Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    return stream;
}

// The rows drawn at a time: a band of a picture of any width stays small, and a narrow picture
// is still drawn in few bands.
int BandRows(int width) {
    constexpr int kBandPixels = 256 * 1024;
    constexpr int kMostRows = 256;
    return std::clamp(kBandPixels / std::max(width, 1), 1, kMostRows);
}

}  // namespace

OlePicture::OlePicture(std::vector<std::uint8_t> bytes) {
    EnterApartment();
    if (bytes.empty()) {
        throw platform::Error(L"The file is empty.");
    }
    const auto length = static_cast<LONG>(bytes.size());
    const auto stream = StreamOf(std::move(bytes));
    Check(OleLoadPicture(stream.Get(), length, FALSE, IID_IPicture, picture_.PutVoid()));
    const auto size = StoredSize();
    if (size.width <= 0 || size.height <= 0 || platform::TooManyPixels(size.width, size.height)) {
        throw platform::Error(L"The picture has no usable size.");
    }
}

platform::Size OlePicture::StoredSize() const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    Check(picture_->get_Width(&width));
    Check(picture_->get_Height(&height));
    // At the DPI that the picture's HIMETRIC size was worked out with: its natural size.
    return {MulDiv(width, SystemDpi(), 2540), MulDiv(height, SystemDpi(), 2540)};
}

void OlePicture::Render(HDC dc, int left, int top, platform::Size size) const {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    Check(picture_->get_Width(&hmWidth));
    Check(picture_->get_Height(&hmHeight));
    // HIMETRIC runs upwards: the source rectangle starts at the bottom and has a negative
    // height, or the picture comes out upside down.
    Check(picture_->Render(dc, left, top, size.width, size.height, 0, hmHeight, hmWidth, -hmHeight,
                           nullptr));
}

std::vector<std::uint32_t> OlePicture::Shrunk(platform::Size scaled, COLORREF background) const {
    const auto natural = StoredSize();
    const int bandRows = std::min(BandRows(natural.width), natural.height);
    MemoryImage band({natural.width, bandRows});
    platform::PictureShrink shrink(natural, scaled, 4, true);
    const std::size_t stride = static_cast<std::size_t>(natural.width) * 4;
    for (int top = 0; top < natural.height; top += bandRows) {
        band.Fill(background);
        // The whole picture, moved up: only the band's rows land in the band.
        Render(band.Dc(), 0, -top, natural);
        Succeeded(GdiFlush());
        shrink.AddRows(reinterpret_cast<const std::uint8_t*>(band.Pixels()),
                       std::min(bandRows, natural.height - top), stride);
    }
    return shrink.Pixels();
}

void OlePicture::Draw(MemoryImage& image, platform::Orientation orientation, platform::Size scaled,
                      COLORREF background) const {
    CheckFills(image, orientation, scaled);
    if (scaled.width == 0 || scaled.height == 0) {
        return;
    }
    const auto natural = StoredSize();
    if (scaled.width > natural.width || scaled.height > natural.height) {
        // Enlarged (a fixed size) it stays sharp; GDI's averaging stretch is the best there is
        // where it shrinks one side only. BMP and GIF files are drawn as stored: they record no
        // orientation.
        const bool smaller = scaled.width < natural.width || scaled.height < natural.height;
        SetStretchBltMode(image.Dc(), smaller ? HALFTONE : COLORONCOLOR);
        Succeeded(SetBrushOrgEx(image.Dc(), 0, 0, nullptr));
        Render(image.Dc(), 0, 0, scaled);
        return;
    }
    if (scaled == natural && orientation.Upright()) {
        // Pixel for pixel.
        Render(image.Dc(), 0, 0, natural);
        return;
    }
    auto size = scaled;
    auto pixels = Shrunk(scaled, background);
    if (!orientation.Upright()) {
        pixels = platform::Turned(pixels, size, orientation);
    }
    std::transform(pixels.begin(), pixels.end(), image.Pixels(),
                   [](std::uint32_t pixel) { return pixel & 0xFFFFFFU; });
}

}  // namespace win32
