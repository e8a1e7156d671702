#include "platform/win32/png_decoder.h"

#include <wincodec.h>

#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_error.h"

namespace win32 {

void DrawPng(const std::wstring& path, MemoryImage& image) {
    const auto size = image.Size();
    if (size.width == 0 || size.height == 0) {
        return;
    }
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Put())));
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                             WICDecodeMetadataCacheOnDemand, decoder.Put()));
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Put()));
    UINT width = 0;
    UINT height = 0;
    Check(frame->GetSize(&width, &height));
    if (width == 0 || height == 0 || static_cast<std::int64_t>(width) * height > kMaxPixels) {
        throw platform::Error(L"The picture is too large.");
    }
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Put()));
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom));
    IWICBitmapSource* source = converter.Get();
    ComPtr<IWICBitmapScaler> scaler;
    if (width != static_cast<UINT>(size.width) || height != static_cast<UINT>(size.height)) {
        Check(factory->CreateBitmapScaler(scaler.Put()));
        Check(scaler->Initialize(converter.Get(), static_cast<UINT>(size.width),
                                 static_cast<UINT>(size.height), WICBitmapInterpolationModeFant));
        source = scaler.Get();
    }
    const UINT stride = static_cast<UINT>(size.width) * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * size.height);
    Check(source->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()));

    // Premultiplied source over the background: dst = src + dst * (255 - alpha) / 255.
    std::uint32_t* target = image.Pixels();
    for (std::size_t i = 0; i < pixels.size() / 4; ++i) {
        const std::uint8_t* p = &pixels[i * 4];
        const std::uint32_t inverse = 255U - p[3];
        const std::uint32_t dst = target[i];
        const auto blend = [&](std::uint32_t src, int shift) {
            const std::uint32_t value = src + (((dst >> shift) & 0xFFU) * inverse + 127U) / 255U;
            return (value > 255U ? 255U : value) << shift;
        };
        target[i] = blend(p[0], 0) | blend(p[1], 8) | blend(p[2], 16);
    }
}

}  // namespace win32
