#include "platform/win32/setting_window.h"

#include "platform/win32/gdi.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/window_lifetime.h"
#include "platform/win32/window_proc.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroSetting";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// The client area's design size in twips, 15 to a pixel at 96 dots per inch.
constexpr int kClientWidthTwips = 5835;
constexpr int kClientHeightTwips = 3060;
constexpr int kTwipsPerInch = 1440;

// The outer size for the design client area at the screen's resolution.
SIZE OuterSize() {
    RECT bounds = {0, 0, MulDiv(kClientWidthTwips, ScreenDpi(LOGPIXELSX), kTwipsPerInch),
                   MulDiv(kClientHeightTwips, ScreenDpi(LOGPIXELSY), kTwipsPerInch)};
    AdjustWindowRectEx(&bounds, kStyle, FALSE, 0);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace

SettingWindow::SettingWindow(platform::SettingEvents& events) : events_(events) {
    RegisterWindowClass(kClassName, &OwnerWindowProc<SettingWindow>,
                        GetSysColorBrush(COLOR_BTNFACE));
    const SIZE size = OuterSize();
    hwnd_.Reset(CreateWindowExW(0, kClassName, L"", kStyle,
                                (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy,
                                nullptr, nullptr, GetModuleHandleW(nullptr), this));
    if (!hwnd_) {
        throw LastError();
    }
    WindowLoaded();
}

void SettingWindow::SetCaption(const std::wstring& caption) {
    if (!SetWindowTextW(hwnd_.Get(), caption.c_str())) {
        throw LastError();
    }
}

void SettingWindow::Show() { ShowWindow(hwnd_.Get(), SW_SHOW); }

void SettingWindow::OnDestroyed() {
    hwnd_.Release();
    WindowUnloaded();
}

LRESULT SettingWindow::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        hwnd_.Reset();
        events_.OnUnload();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
