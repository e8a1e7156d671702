#include "platform/win32/setting_window.h"

#include <exception>

#include "platform/win32/win32_error.h"
#include "platform/win32/window_lifetime.h"
#include "settings_ui/setting.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroSetting";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// The client area in twips; 15 twips are one pixel at 96 dots per inch.
constexpr int kClientTwipsWidth = 5835;
constexpr int kClientTwipsHeight = 3060;

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

void RegisterClassOnce(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

}  // namespace

SettingWindow::SettingWindow(platform::SettingEvents& events) : events_(events) {
    RegisterClassOnce(&SettingWindow::WindowProc);
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT bounds = {0, 0, TwipsToPixels(kClientTwipsWidth, dpiX),
                   TwipsToPixels(kClientTwipsHeight, dpiY)};
    AdjustWindowRectEx(&bounds, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    hwnd_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, L"Kestro", kStyle,
                            (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                            (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) {
        throw LastError();
    }
    WindowLoaded();
}

SettingWindow::~SettingWindow() {
    if (IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

void SettingWindow::SetCaption(const std::wstring& caption) {
    SetWindowTextW(hwnd_, caption.c_str());
}

void SettingWindow::Show() { ShowWindow(hwnd_, SW_SHOW); }

LRESULT CALLBACK SettingWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<SettingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window != nullptr && message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->hwnd_ = nullptr;
        try {
            window->events_.OnUnload();
        } catch (const std::exception&) {
        }
        WindowUnloaded();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
