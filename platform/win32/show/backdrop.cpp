#include "platform/win32/show/backdrop.h"

#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_proc.h"

namespace win32 {

Backdrop::Backdrop(platform::ByeWindowEvents& events) : events_(events) {
    RegisterWindowClass(kBackdropClass, &OwnerWindowProc<Backdrop>,
                        static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // Unowned: Windows keeps an owned window above its owner, and the backdrop goes below.
    hwnd_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBackdropClass,
                                L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
    Succeeded(hwnd_.Get() != nullptr);
}

// The process is aware of each monitor's DPI: the virtual screen in the monitors' own pixels.
void Backdrop::ShowBelow(HWND above) {
    Succeeded(SetWindowPos(hwnd_.Get(), above, GetSystemMetrics(SM_XVIRTUALSCREEN),
                           GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_SHOWWINDOW | SWP_NOACTIVATE));
    // Black at once, before the show window above it is drawn.
    Succeeded(UpdateWindow(hwnd_.Get()));
}

LRESULT Backdrop::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
        message == WM_XBUTTONDOWN) {
        events_.OnCutShort();
    }
    // A click leaves the focus with the show window, where its keys go.
    if (message == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
