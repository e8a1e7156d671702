#include "platform/win32/picture_decoder.h"

#include <propidl.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win32/com_apartment.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/picture_turn.h"
#include "platform/win32/win32_error.h"

namespace win32 {
namespace {

// The names under which decoders keep the EXIF orientation: the photo property first, then
// the paths of a JPEG's and of a TIFF's or HEIF's metadata block.
constexpr const wchar_t* kOrientationQueries[] = {L"System.Photo.Orientation",
                                                  L"/app1/ifd/{ushort=274}", L"/ifd/{ushort=274}"};

class PropertyValue {
  public:
    PropertyValue() { PropVariantInit(&value_); }
    PropertyValue(const PropertyValue&) = delete;
    PropertyValue& operator=(const PropertyValue&) = delete;
    ~PropertyValue() { PropVariantClear(&value_); }

    PROPVARIANT* Put() {
        PropVariantClear(&value_);
        return &value_;
    }
    const PROPVARIANT& Get() const { return value_; }

  private:
    PROPVARIANT value_;
};

struct Frame {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapFrameDecode> frame;
    platform::Size size;
};

Frame OpenFirstFrame(const std::wstring& path) {
    EnterApartment();
    Frame opened;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, opened.factory.PutVoid()));
    ComPtr<IWICBitmapDecoder> decoder;
    Check(opened.factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, decoder.Put()));
    Check(decoder->GetFrame(0, opened.frame.Put()));
    UINT width = 0;
    UINT height = 0;
    Check(opened.frame->GetSize(&width, &height));
    // The header alone is read so far: a file claiming a huge size stops here, before its
    // pixels are decoded.
    if (width == 0 || height == 0 || TooLarge(width, height)) {
        throw platform::Error(L"The picture is too large.");
    }
    opened.size = {static_cast<int>(width), static_cast<int>(height)};
    return opened;
}

// The frame that InspectPicture opened last. The show inspects a picture and then draws it, and
// a decoder may decode the whole picture as it opens it (Wine's JPEG and PNG decoders do): the
// drawing takes this frame rather than open the file again. Both come after the end of the
// session is announced, and the size and the pixels come from the same decoding.
struct Inspected {
    std::wstring path;
    Frame opened;
};

std::optional<Inspected>& LastInspected() {
    static std::optional<Inspected> last;
    return last;
}

int ReportedOrientation(IWICBitmapFrameDecode& frame) {
    ComPtr<IWICMetadataQueryReader> reader;
    if (FAILED(frame.GetMetadataQueryReader(reader.Put()))) {
        return 0;
    }
    for (const auto* query : kOrientationQueries) {
        PropertyValue value;
        if (SUCCEEDED(reader->GetMetadataByName(query, value.Put())) && value.Get().vt == VT_UI2 &&
            value.Get().uiVal >= 1 && value.Get().uiVal <= 8) {
            return value.Get().uiVal;
        }
    }
    return 0;
}

std::vector<std::uint32_t> CopyAll(IWICBitmapSource& source, platform::Size size) {
    const auto stride = static_cast<UINT>(size.width) * 4;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) *
                                      static_cast<std::size_t>(size.height));
    Check(source.CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size() * 4),
                            reinterpret_cast<BYTE*>(pixels.data())));
    return pixels;
}

// The frame's pixels as premultiplied BGRA, upright for the orientation, scaled to target.
ComPtr<IWICBitmapSource> Prepared(Frame& opened, int orientation, platform::Size target) {
    auto& factory = *opened.factory.Get();
    ComPtr<IWICFormatConverter> converter;
    Check(factory.CreateFormatConverter(converter.Put()));
    Check(converter->Initialize(opened.frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom));
    ComPtr<IWICBitmapSource> source;
    Check(converter->QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
    auto size = opened.size;
    if (orientation >= 2 && orientation <= 8) {
        // Turned by hand: the imaging component's own flip-rotator cannot turn by quarters
        // everywhere (Wine's cannot).
        auto upright = Turned(CopyAll(*source.Get(), size), size, orientation);
        ComPtr<IWICBitmap> bitmap;
        Check(factory.CreateBitmapFromMemory(
            static_cast<UINT>(size.width), static_cast<UINT>(size.height),
            GUID_WICPixelFormat32bppPBGRA, static_cast<UINT>(size.width) * 4,
            static_cast<UINT>(upright.size() * 4), reinterpret_cast<BYTE*>(upright.data()),
            bitmap.Put()));
        Check(bitmap->QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
    }
    if (size.width != target.width || size.height != target.height) {
        ComPtr<IWICBitmapScaler> scaler;
        Check(factory.CreateBitmapScaler(scaler.Put()));
        Check(scaler->Initialize(source.Get(), static_cast<UINT>(target.width),
                                 static_cast<UINT>(target.height), WICBitmapInterpolationModeFant));
        Check(scaler->QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
    }
    return source;
}

// Premultiplied "over": dst = src + dst * (255 - alpha) / 255, channel by channel.
std::uint32_t Over(std::uint32_t bgra, std::uint32_t dst) {
    const std::uint32_t transparency = 255U - (bgra >> 24);
    // Most pictures are opaque all over.
    if (transparency == 0) {
        return bgra & 0xFFFFFFU;
    }
    std::uint32_t result = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const int shift = channel * 8;
        const std::uint32_t below = (dst >> shift) & 0xFFU;
        const std::uint32_t value =
            ((bgra >> shift) & 0xFFU) + (below * transparency + 127U) / 255U;
        result |= (value > 255U ? 255U : value) << shift;
    }
    return result;
}

// Copies the source, of the image's size, into the image a band of rows at a time, each pixel
// through `put` (from the source's bytes of the pixel to the image's pixel). A buffer of the
// whole picture beside the image would cost the show the time it takes to fault in its pages.
template <typename Put>
void CopyInBands(IWICBitmapSource& source, UINT bytesPerPixel, MemoryImage& image, Put put) {
    constexpr int kBandRows = 64;
    const auto size = image.Size();
    const UINT stride = static_cast<UINT>(size.width) * bytesPerPixel;
    std::vector<BYTE> band(static_cast<std::size_t>(stride) * kBandRows);
    for (int top = 0; top < size.height; top += kBandRows) {
        const int rows = std::min(kBandRows, size.height - top);
        const WICRect rect{0, top, size.width, rows};
        Check(source.CopyPixels(&rect, stride, stride * static_cast<UINT>(rows), band.data()));
        std::uint32_t* target = image.Pixels() + static_cast<std::size_t>(top) * size.width;
        const auto count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(size.width);
        for (std::size_t i = 0; i < count; ++i) {
            put(band.data() + i * bytesPerPixel, target[i]);
        }
    }
}

// Opaque pixels that the show turns into the image's own form itself: the imaging component's
// converter takes several times as long over a large picture (under Wine, 30 ms against 4 for
// a 1920 x 1080 PNG of 16 bits a channel), and the ideal show pays it before the session ends.
std::uint32_t FromBgr(const BYTE* pixel) {
    return pixel[0] | (static_cast<std::uint32_t>(pixel[1]) << 8U) |
           (static_cast<std::uint32_t>(pixel[2]) << 16U);
}

// Three 16-bit little-endian channels, red first, rounded to 8 bits.
std::uint32_t FromRgb48(const BYTE* pixel) {
    const auto channel = [&](std::size_t index) {
        const std::uint32_t value =
            pixel[2 * index] | (static_cast<std::uint32_t>(pixel[2 * index + 1]) << 8U);
        return (value * 255U + 32767U) / 65535U;
    };
    return channel(2) | (channel(1) << 8U) | (channel(0) << 16U);
}

}  // namespace

platform::PictureFacts InspectPicture(const std::wstring& path) {
    LastInspected().reset();
    auto opened = OpenFirstFrame(path);
    const platform::PictureFacts facts{opened.size, ReportedOrientation(*opened.frame.Get())};
    LastInspected() = Inspected{path, std::move(opened)};
    return facts;
}

void DrawPicture(const std::wstring& path, int orientation, MemoryImage& image) {
    // Taken once: a later drawing of the file reads it as it is then.
    auto inspected = std::exchange(LastInspected(), std::nullopt);
    auto opened =
        inspected && inspected->path == path ? std::move(inspected->opened) : OpenFirstFrame(path);
    const auto size = image.Size();
    if (size.width == 0 || size.height == 0) {
        return;
    }
    // Upright at its own size: the decoder's pixels need no turning or scaling.
    const bool upright = (orientation < 2 || orientation > 8) && size.width == opened.size.width &&
                         size.height == opened.size.height;
    WICPixelFormatGUID format{};
    if (upright && SUCCEEDED(opened.frame->GetPixelFormat(&format))) {
        auto& frame = *opened.frame.Get();
        if (format == GUID_WICPixelFormat24bppBGR) {
            CopyInBands(frame, 3, image,
                        [](const BYTE* from, std::uint32_t& to) { to = FromBgr(from); });
            return;
        }
        if (format == GUID_WICPixelFormat32bppBGR) {
            CopyInBands(frame, 4, image,
                        [](const BYTE* from, std::uint32_t& to) { to = FromBgr(from); });
            return;
        }
        if (format == GUID_WICPixelFormat48bppRGB) {
            CopyInBands(frame, 6, image,
                        [](const BYTE* from, std::uint32_t& to) { to = FromRgb48(from); });
            return;
        }
    }
    auto source = Prepared(opened, orientation, size);
    CopyInBands(*source.Get(), 4, image, [](const BYTE* from, std::uint32_t& to) {
        std::uint32_t bgra = 0;
        std::memcpy(&bgra, from, sizeof bgra);
        to = Over(bgra, to);
    });
}

}  // namespace win32
