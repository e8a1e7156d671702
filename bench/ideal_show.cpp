// The fastest possible exit show, the benchmark's yardstick for kestro.exe: the picture is
// decoded before anything asks for it, and the end of the session only puts it on the screen.
//
//   ideal_show PICTURE        waits in a hidden window; WM_QUERYENDSESSION shows the picture
//   ideal_show PICTURE /now   shows it as soon as it is decoded (the yardstick of /shutdown)
//
// A picture larger than the screen is scaled to fit it, as kestro.exe shows it, before anything
// asks for it too.
//
// Either way the picture stays up for one second, as kestro.exe's does with Time=1, and then
// the program ends.
#include <wincodec.h>
#include <windows.h>

#include <cwchar>
#include <initializer_list>

namespace {

constexpr wchar_t kCaption[] = L"KestroIdealShow";
constexpr DWORD kShowMilliseconds = 1000;

HDC g_picture = nullptr;
int g_width = 0;
int g_height = 0;

// The largest size of the picture's proportions that fits the screen, rounded as Kestro rounds.
void FitToScreen(UINT& width, UINT& height) {
    const auto screenWidth = static_cast<long long>(GetSystemMetrics(SM_CXSCREEN));
    const auto screenHeight = static_cast<long long>(GetSystemMetrics(SM_CYSCREEN));
    if (width <= screenWidth && height <= screenHeight) {
        return;
    }
    if (width * screenHeight >= height * screenWidth) {
        height = static_cast<UINT>((2 * height * screenWidth + width) / (2 * width));
        width = static_cast<UINT>(screenWidth);
    } else {
        width = static_cast<UINT>((2 * width * screenHeight + height) / (2 * height));
        height = static_cast<UINT>(screenHeight);
    }
}

// Decodes the picture into a DIB section selected into g_picture. WIC reads JPEG and PNG alike.
bool Decode(const wchar_t* path) {
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* whole = nullptr;
    IWICBitmapScaler* converted = nullptr;
    UINT width = 0;
    UINT height = 0;
    bool decoded =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame, &whole)) &&
        SUCCEEDED(whole->GetSize(&width, &height));
    if (decoded) {
        FitToScreen(width, height);
        decoded = SUCCEEDED(factory->CreateBitmapScaler(&converted)) &&
                  SUCCEEDED(converted->Initialize(whole, width, height,
                                                  WICBitmapInterpolationModeFant));
    }
    if (decoded) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        // Negative: top-down rows, as WIC hands them out.
        info.bmiHeader.biHeight = -static_cast<LONG>(height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        decoded = bitmap != nullptr &&
                  SUCCEEDED(converted->CopyPixels(nullptr, width * 4, width * height * 4,
                                                  static_cast<BYTE*>(bits)));
        if (decoded) {
            g_picture = CreateCompatibleDC(nullptr);
            SelectObject(g_picture, bitmap);
            g_width = static_cast<int>(width);
            g_height = static_cast<int>(height);
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converted), static_cast<IUnknown*>(whole),
                             static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    return decoded;
}

// Top-most and centred in one call, painted before it returns; then held up and ended.
void ShowAndEnd(HWND window) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - g_width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - g_height) / 2;
    SetWindowPos(window, HWND_TOPMOST, left, top, g_width, g_height, SWP_SHOWWINDOW);
    UpdateWindow(window);
    GdiFlush();
    Sleep(kShowMilliseconds);
    ExitProcess(0);
}

LRESULT CALLBACK ShowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            ShowAndEnd(window);
            return TRUE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            BitBlt(dc, 0, 0, g_width, g_height, g_picture, 0, 0, SRCCOPY);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc < 2 || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
        !Decode(__wargv[1])) {
        return 1;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ShowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kCaption;
    if (RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kCaption, kCaption, WS_POPUP, 0, 0, g_width,
                                  g_height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    if (__argc > 2 && _wcsicmp(__wargv[2], L"/now") == 0) {
        ShowAndEnd(window);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
