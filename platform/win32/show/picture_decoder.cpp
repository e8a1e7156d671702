#include "platform/win32/show/picture_decoder.h"

#include <propidl.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/picture_limit.h"
#include "platform/pixels/shrink.h"
#include "platform/pixels/turn.h"
#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/win32_error.h"

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

// The 16-bit number that the metadata holds under the name, if any.
std::optional<int> MetadataNumber(IWICMetadataQueryReader& reader, const wchar_t* name) {
    PropertyValue value;
    if (SUCCEEDED(reader.GetMetadataByName(name, value.Put())) && value.Get().vt == VT_UI2) {
        return value.Get().uiVal;
    }
    return std::nullopt;
}

std::optional<platform::Orientation> OrientationOf(IWICBitmapFrameDecode& frame) {
    ComPtr<IWICMetadataQueryReader> reader;
    if (FAILED(frame.GetMetadataQueryReader(reader.Put()))) {
        return std::nullopt;
    }
    for (const auto* query : kOrientationQueries) {
        const auto exif = MetadataNumber(*reader.Get(), query);
        if (const auto orientation = exif ? platform::Orientation::FromExif(*exif) : std::nullopt) {
            return orientation;
        }
    }
    return std::nullopt;
}

// Where a GIF's first frame lies within its logical screen, which may be larger than the frame:
// the frame's own place, or the whole screen where the metadata does not say or the frame
// would reach outside it. The frame's metadata is read only when the screen is larger.
ImagingPicture::Place GifPlace(IWICBitmapDecoder& decoder, IWICBitmapFrameDecode& frame,
                               platform::Size frameSize) {
    const ImagingPicture::Place whole{frameSize, 0, 0, frameSize};
    ComPtr<IWICMetadataQueryReader> screenReader;
    if (FAILED(decoder.GetMetadataQueryReader(screenReader.Put()))) {
        return whole;
    }
    const auto width = MetadataNumber(*screenReader.Get(), L"/logscrdesc/Width");
    const auto height = MetadataNumber(*screenReader.Get(), L"/logscrdesc/Height");
    ComPtr<IWICMetadataQueryReader> frameReader;
    if (!width || !height || platform::Size{*width, *height} == frameSize ||
        FAILED(frame.GetMetadataQueryReader(frameReader.Put()))) {
        return whole;
    }
    const auto left = MetadataNumber(*frameReader.Get(), L"/imgdesc/Left");
    const auto top = MetadataNumber(*frameReader.Get(), L"/imgdesc/Top");
    if (!left || !top || *left + frameSize.width > *width || *top + frameSize.height > *height) {
        return whole;
    }
    return {{*width, *height}, *left, *top, frameSize};
}

std::vector<std::uint32_t> CopyAll(IWICBitmapSource& source, platform::Size size) {
    const auto stride = static_cast<UINT>(size.width) * 4;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) *
                                      static_cast<std::size_t>(size.height));
    Check(source.CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size() * 4),
                            reinterpret_cast<BYTE*>(pixels.data())));
    return pixels;
}

// The frame that the drawing reads, of its stored size.
struct Frame {
    IWICImagingFactory& factory;
    IWICBitmapFrameDecode& frame;
    platform::Size size;
};

// The frame's pixels as premultiplied BGRA.
ComPtr<IWICBitmapSource> Premultiplied(const Frame& opened) {
    ComPtr<IWICFormatConverter> converter;
    Check(opened.factory.CreateFormatConverter(converter.Put()));
    Check(converter->Initialize(&opened.frame, GUID_WICPixelFormat32bppPBGRA,
                                WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom));
    ComPtr<IWICBitmapSource> source;
    Check(converter->QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
    return source;
}

// The frame's pixels as premultiplied BGRA, upright for the orientation, scaled to target.
ComPtr<IWICBitmapSource> Prepared(const Frame& opened, platform::Orientation orientation,
                                  platform::Size target) {
    auto& factory = opened.factory;
    auto source = Premultiplied(opened);
    auto size = opened.size;
    if (!orientation.Upright()) {
        // Turned by hand: the imaging component's own flip-rotator cannot turn by quarters
        // everywhere (Wine's cannot).
        auto upright = platform::Turned(CopyAll(*source.Get(), size), size, orientation);
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

// Reads the source of the size a band of rows at a time and hands each band to `visit` (its
// bytes, its first row, its rows, its stride). A buffer of the whole picture would cost the show
// the time it takes to fault in its pages.
template <typename Visit>
void ForEachBand(IWICBitmapSource& source, UINT bytesPerPixel, platform::Size size, Visit visit) {
    constexpr int kBandRows = 64;
    const UINT stride = static_cast<UINT>(size.width) * bytesPerPixel;
    std::vector<BYTE> band(static_cast<std::size_t>(stride) * kBandRows);
    for (int top = 0; top < size.height; top += kBandRows) {
        const int rows = std::min(kBandRows, size.height - top);
        const WICRect rect{0, top, size.width, rows};
        Check(source.CopyPixels(&rect, stride, stride * static_cast<UINT>(rows), band.data()));
        visit(band.data(), top, rows, std::size_t{stride});
    }
}

// A rectangle of the image's pixels that the frame is drawn into.
struct Target {
    std::uint32_t* pixels;
    platform::Size size;
    std::size_t stride;  // in pixels

    std::uint32_t* Row(int row) const { return pixels + static_cast<std::size_t>(row) * stride; }
};

// Copies the source, of the target's size, into the target, each pixel through `put` (from the
// source's bytes of the pixel to the image's pixel).
template <typename Put>
void CopyInBands(IWICBitmapSource& source, UINT bytesPerPixel, const Target& target, Put put) {
    const auto size = target.size;
    ForEachBand(source, bytesPerPixel, size,
                [&](const BYTE* band, int top, int rows, std::size_t stride) {
                    for (int row = 0; row < rows; ++row) {
                        const BYTE* from = band + static_cast<std::size_t>(row) * stride;
                        std::uint32_t* to = target.Row(top + row);
                        for (int x = 0; x < size.width; ++x) {
                            put(from + static_cast<std::size_t>(x) * bytesPerPixel, to[x]);
                        }
                    }
                });
}

// Shrinks the frame to `scaled` as it reads it, turns the result upright and blends it into the
// target: a large photo is turned at the size it is shown at, not at its own.
void DrawShrunk(const Frame& opened, platform::Orientation orientation, platform::Size scaled,
                const Target& target) {
    WICPixelFormatGUID format{};
    Check(opened.frame.GetPixelFormat(&format));
    ComPtr<IWICBitmapSource> source;
    UINT bytesPerPixel = 4;
    const bool opaque =
        format == GUID_WICPixelFormat24bppBGR || format == GUID_WICPixelFormat32bppBGR;
    if (opaque) {
        Check(opened.frame.QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
        bytesPerPixel = format == GUID_WICPixelFormat24bppBGR ? 3 : 4;
    } else {
        source = Premultiplied(opened);
    }
    platform::PictureShrink shrink(opened.size, scaled, bytesPerPixel, opaque);
    ForEachBand(*source.Get(), bytesPerPixel, opened.size,
                [&](const BYTE* band, int /*top*/, int rows, std::size_t stride) {
                    shrink.AddRows(band, rows, stride);
                });
    auto size = scaled;
    std::vector<std::uint32_t> turned;
    if (!orientation.Upright()) {
        turned = platform::Turned(shrink.Pixels(), size, orientation);
    }
    const auto& pixels = orientation.Upright() ? shrink.Pixels() : turned;
    for (int row = 0; row < target.size.height; ++row) {
        const std::uint32_t* from = pixels.data() + static_cast<std::size_t>(row) * size.width;
        std::uint32_t* to = target.Row(row);
        for (int x = 0; x < target.size.width; ++x) {
            to[x] = Over(from[x], to[x]);
        }
    }
}

// Where the frame goes in an image of the picture brought to `scaled`, upright: its place
// within the picture, scaled as the picture is. A turned picture's frame fills it.
Target TargetOf(MemoryImage& image, platform::Orientation orientation, platform::Size scaled,
                const ImagingPicture::Place& place) {
    const auto stride = static_cast<std::size_t>(image.Size().width);
    if (!orientation.Upright() || place.frame == place.picture) {
        return {image.Pixels(), image.Size(), stride};
    }
    const auto along = [](int at, int shown, int whole) {
        return static_cast<int>(static_cast<std::int64_t>(at) * shown / whole);
    };
    const int left = along(place.left, scaled.width, place.picture.width);
    const int top = along(place.top, scaled.height, place.picture.height);
    const int right = along(place.left + place.frame.width, scaled.width, place.picture.width);
    const int bottom = along(place.top + place.frame.height, scaled.height, place.picture.height);
    return {image.Pixels() + static_cast<std::size_t>(top) * stride + left,
            {right - left, bottom - top},
            stride};
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

// Throws unless a picture brought to `scaled` and turned upright fills the image exactly.
void CheckFills(const MemoryImage& image, platform::Orientation orientation,
                platform::Size scaled) {
    if (orientation.SwapsSides()) {
        std::swap(scaled.width, scaled.height);
    }
    if (image.Size() != scaled) {
        throw platform::Error(L"The picture does not fill the box.");
    }
}

}  // namespace

ImagingPicture::ImagingPicture(std::vector<std::uint8_t> bytes, bool askOrientation)
    : bytes_(std::move(bytes)) {
    EnterApartment();
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, factory_.PutVoid()));
    Check(factory_->CreateStream(stream_.Put()));
    Check(stream_->InitializeFromMemory(bytes_.data(), static_cast<DWORD>(bytes_.size())));
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory_->CreateDecoderFromStream(stream_.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                            decoder.Put()));
    Check(decoder->GetFrame(0, frame_.Put()));
    UINT width = 0;
    UINT height = 0;
    Check(frame_->GetSize(&width, &height));
    // The header alone is read so far: a file claiming a huge size stops here, before its
    // pixels are decoded.
    if (width == 0 || height == 0 || platform::TooManyPixels(width, height)) {
        throw platform::Error(L"The picture is too large.");
    }
    const platform::Size frameSize{static_cast<int>(width), static_cast<int>(height)};
    place_ = {frameSize, 0, 0, frameSize};
    GUID container{};
    if (SUCCEEDED(decoder->GetContainerFormat(&container)) &&
        container == GUID_ContainerFormatGif) {
        place_ = GifPlace(*decoder.Get(), *frame_.Get(), frameSize);
        if (platform::TooManyPixels(place_.picture.width, place_.picture.height)) {
            throw platform::Error(L"The picture is too large.");
        }
    }
    if (askOrientation) {
        orientation_ = OrientationOf(*frame_.Get());
    }
}

void ImagingPicture::Draw(MemoryImage& image, platform::Orientation orientation,
                          platform::Size scaled) const {
    CheckFills(image, orientation, scaled);
    const auto target = TargetOf(image, orientation, scaled, place_);
    const auto shown = orientation.Upright() ? target.size : scaled;
    if (shown.width == 0 || shown.height == 0) {
        return;
    }
    const auto stored = place_.frame;
    const Frame opened{*factory_.Get(), *frame_.Get(), stored};
    // Upright at its own size: the decoder's pixels need no turning or scaling.
    WICPixelFormatGUID format{};
    if (orientation.Upright() && shown == stored &&
        SUCCEEDED(opened.frame.GetPixelFormat(&format))) {
        auto& frame = opened.frame;
        if (format == GUID_WICPixelFormat24bppBGR) {
            CopyInBands(frame, 3, target,
                        [](const BYTE* from, std::uint32_t& to) { to = FromBgr(from); });
            return;
        }
        if (format == GUID_WICPixelFormat32bppBGR) {
            CopyInBands(frame, 4, target,
                        [](const BYTE* from, std::uint32_t& to) { to = FromBgr(from); });
            return;
        }
        if (format == GUID_WICPixelFormat48bppRGB) {
            CopyInBands(frame, 6, target,
                        [](const BYTE* from, std::uint32_t& to) { to = FromRgb48(from); });
            return;
        }
    }
    if (shown.width <= stored.width && shown.height <= stored.height) {
        DrawShrunk(opened, orientation, shown, target);
        return;
    }
    auto source = Prepared(opened, orientation, target.size);
    CopyInBands(*source.Get(), 4, target, [](const BYTE* from, std::uint32_t& to) {
        std::uint32_t bgra = 0;
        std::memcpy(&bgra, from, sizeof bgra);
        to = Over(bgra, to);
    });
}

}  // namespace win32
