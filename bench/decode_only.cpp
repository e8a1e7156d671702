// Decodes one picture the way the exit show does, and nothing else, and prints how long it
// took in milliseconds: BMP and GIF through the OLE picture loader, JPEG, PNG and the rest
// through the Windows Imaging Component. The benchmark compares the show's latency with this.
#include <ole2.h>
#include <olectl.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

bool DecodeOle(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    if (bytes.empty()) {
        return false;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* target = GlobalLock(memory);
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(target));
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return false;
    }
    IPicture* picture = nullptr;
    const HRESULT result = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE,
                                          IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(result)) {
        return false;
    }
    picture->Release();
    return true;
}

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

bool OlePictureEnding(const wchar_t* path) {
    const size_t length = std::wcslen(path);
    return length >= 4 &&
           (_wcsicmp(path + length - 4, L".bmp") == 0 || _wcsicmp(path + length - 4, L".gif") == 0);
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
    const bool decoded = OlePictureEnding(argv[1]) ? DecodeOle(argv[1]) : DecodeWic(argv[1]);
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
