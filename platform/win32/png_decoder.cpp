#include "platform/win32/png_decoder.h"

#include <wincodec.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_error.h"

namespace win32 {
namespace {

// The frame's pixels as premultiplied BGRA, scaled to width x height.
std::vector<std::uint8_t> DecodeScaled(const std::wstring& path, platform::Size size) {
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, factory.PutVoid()));
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                             WICDecodeMetadataCacheOnDemand, decoder.Put()));
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Put()));
    UINT width = 0;
    UINT height = 0;
    Check(frame->GetSize(&width, &height));
    // The header alone is read so far: a file claiming a huge size stops here, before its
    // pixels are decoded.
    if (width == 0 || height == 0 || TooLarge(width, height)) {
        throw platform::Error(L"The picture is too large.");
    }
    if (size.width == 0 || size.height == 0) {
        return {};
    }
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Put()));
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom));
    ComPtr<IWICBitmapSource> source;
    Check(converter->QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
    const auto targetWidth = static_cast<UINT>(size.width);
    const auto targetHeight = static_cast<UINT>(size.height);
    if (width != targetWidth || height != targetHeight) {
        ComPtr<IWICBitmapScaler> scaler;
        Check(factory->CreateBitmapScaler(scaler.Put()));
        Check(scaler->Initialize(source.Get(), targetWidth, targetHeight,
                                 WICBitmapInterpolationModeFant));
        Check(scaler->QueryInterface(IID_IWICBitmapSource, source.PutVoid()));
    }
    const UINT stride = targetWidth * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * targetHeight);
    Check(source->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()));
    return pixels;
}

// Premultiplied "over": dst = src + dst * (255 - alpha) / 255, channel by channel.
std::uint32_t Over(const std::uint8_t* bgra, std::uint32_t dst) {
    const std::uint32_t transparency = 255U - bgra[3];
    std::uint32_t result = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const int shift = channel * 8;
        const std::uint32_t below = (dst >> shift) & 0xFFU;
        const std::uint32_t value = bgra[channel] + (below * transparency + 127U) / 255U;
        result |= (value > 255U ? 255U : value) << shift;
    }
    return result;
}

}  // namespace

void DrawPng(const std::wstring& path, MemoryImage& image) {
    const auto pixels = DecodeScaled(path, image.Size());
    std::uint32_t* target = image.Pixels();
    for (std::size_t i = 0; i < pixels.size() / 4; ++i) {
        target[i] = Over(&pixels[i * 4], target[i]);
    }
}

}  // namespace win32
