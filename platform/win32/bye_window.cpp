#include "platform/win32/bye_window.h"

#include <exception>

#include "platform/win32/win32_error.h"
#include "platform/win32/window_lifetime.h"
#include "show/bye_window.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroByeWindow";
constexpr int kDesignWidth = 357;
constexpr int kDesignHeight = 271;
constexpr RECT kPictureDesign = {0, 0, 121, 89};

void RegisterClassOnce(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_DESKTOP);
        windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

}  // namespace

ByeWindow::ByeWindow(platform::ByeWindowEvents& events) : events_(events) {
    RegisterClassOnce(&ByeWindow::WindowProc);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, show::kByeWindowCaption,
                            WS_POPUP | WS_CLIPCHILDREN, 0, 0, kDesignWidth, kDesignHeight, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) {
        throw LastError();
    }
    WindowLoaded();
    CenterOnScreen();
    picture1_ = std::make_unique<PictureBox>(hwnd_, events_, kPictureDesign);
}

ByeWindow::~ByeWindow() {
    picture1_.reset();
    if (IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

void ByeWindow::SetOuterSize(int width, int height) {
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ByeWindow::CenterOnScreen() {
    RECT bounds{};
    GetWindowRect(hwnd_, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ByeWindow::Show() {
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
}

void ByeWindow::MakeTopMost() {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void ByeWindow::Unload() { Close(1); }

void ByeWindow::Close(int reason) { events_.OnCloseRequest(reason); }

LRESULT CALLBACK ByeWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        static_cast<ByeWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<ByeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        WindowUnloaded();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // Nothing may unwind through the window system's frames.
    try {
        return window->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        return 0;
    }
}

LRESULT ByeWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            Close(2);
            return TRUE;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0U) == SC_CLOSE) {
                ownCloseCommand_ = true;
                Close(0);
                return 0;
            }
            break;
        case WM_CLOSE:
            // A close that did not come from the window's own close command comes from another
            // program: a task manager, or taskkill without /F.
            Close(ownCloseCommand_ ? 0 : 3);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace win32
