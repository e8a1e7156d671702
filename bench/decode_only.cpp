// Decodes one picture the way the exit show does, and nothing else, and prints how long it
// took in milliseconds: every format through the Windows Imaging Component. The benchmark
// compares the show's latency with this.
#include <wincodec.h>
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

bool DecodeWic(const wchar_t* path) {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory)))) {
        return false;
    }
    bool decoded = false;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* converted = nullptr;
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame, &converted)) &&
        SUCCEEDED(converted->GetSize(&width, &height))) {
        // Decoders are lazy: only copying the pixels out makes them do the work.
        std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4);
        decoded = SUCCEEDED(converted->CopyPixels(nullptr, width * 4,
                                                  static_cast<UINT>(pixels.size()), pixels.data()));
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converted), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    return decoded;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: decode_only PICTURE\n", stderr);
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const bool decoded = DecodeWic(argv[1]);
    QueryPerformanceCounter(&end);
    CoUninitialize();
    if (!decoded) {
        std::fputs("decode_only: the picture did not decode\n", stderr);
        return 1;
    }
    std::printf("%.1f\n", 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
    return 0;
}
