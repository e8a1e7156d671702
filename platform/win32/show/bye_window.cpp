#include "platform/win32/show/bye_window.h"

#include "platform/timing.h"
#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_lifetime.h"
#include "platform/win32/base/window_proc.h"
#include "platform/win32/session/safe_start.h"

namespace win32 {
namespace {

constexpr int kDesignWidth = 357;
constexpr int kDesignHeight = 271;
constexpr RECT kPicture1Design = {0, 0, 121, 89};

using platform::CloseRequest;

// The window's one extra slot: 0 while it only waits, 1 once its show has begun. A sound's show
// has no visible window either, and neither the installer (which starts a waiting Kestro again
// afterwards) nor a session command (which ends other shows first) may take it for a Kestro
// waiting in "/start" mode.
constexpr int kShowBegunSlot = 0;

// Windows' terminal services may start a minute or more after a Startup program: asked again
// every few seconds, for five minutes.
constexpr UINT_PTR kListenTimer = 1;
constexpr UINT kListenIntervalMs = 3000;
constexpr int kListenTries = 100;

// A mouse button pressed on the window, on its picture box, or on a video's window inside
// it (which tells its parents), and the keys that dismiss a window, pressed afresh: a key
// still held from starting the show repeats with its previous state down.
bool CutsShort(UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr LPARAM kWasDown = 1L << 30;
    const auto button = [](UINT pressed) {
        return pressed == WM_LBUTTONDOWN || pressed == WM_RBUTTONDOWN ||
               pressed == WM_MBUTTONDOWN || pressed == WM_XBUTTONDOWN;
    };
    switch (message) {
        case WM_PARENTNOTIFY:
            return button(LOWORD(wParam));
        case WM_KEYDOWN:
            return (lParam & kWasDown) == 0 &&
                   (wParam == VK_ESCAPE || wParam == VK_RETURN || wParam == VK_SPACE);
        default:
            return button(message);
    }
}

}  // namespace

CloseRequest SessionEndRequest(LPARAM flags) {
    const auto bits = static_cast<ULONG_PTR>(flags);
    if ((bits & ENDSESSION_CLOSEAPP) != 0) {
        return CloseRequest::CloseApp;
    }
    if ((bits & ENDSESSION_CRITICAL) != 0) {
        return CloseRequest::Critical;
    }
    if ((bits & ENDSESSION_LOGOFF) != 0) {
        return CloseRequest::LogOff;
    }
    return CloseRequest::ShutDown;
}

bool ShowBegun(HWND window) { return GetWindowLongPtrW(window, kShowBegunSlot) == 1; }

ByeWindow::ByeWindow(platform::ByeWindowEvents& events, const std::wstring& caption)
    : events_(events) {
    RegisterWindowClass(kByeWindowClass, &OwnerWindowProc<ByeWindow>,
                        GetSysColorBrush(COLOR_DESKTOP), sizeof(LONG_PTR));
    hwnd_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kByeWindowClass, caption.c_str(),
                                WS_POPUP | WS_CLIPCHILDREN, 0, 0, kDesignWidth, kDesignHeight,
                                nullptr, nullptr, GetModuleHandleW(nullptr), this));
    Succeeded(hwnd_.Get() != nullptr);
    WindowLoaded();
    CenterOnScreen();
    picture1_ = std::make_unique<PictureBox>(hwnd_.Get(), kPicture1Design);
}

void ByeWindow::SetOuterSize(int width, int height) {
    Succeeded(SetWindowPos(hwnd_.Get(), nullptr, 0, 0, width, height,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

void ByeWindow::CenterOnScreen() {
    RECT bounds{};
    Succeeded(GetWindowRect(hwnd_.Get(), &bounds));
    const auto screen = ScreenSize();
    const int left = (screen.width - (bounds.right - bounds.left)) / 2;
    const int top = (screen.height - (bounds.bottom - bounds.top)) / 2;
    Succeeded(SetWindowPos(hwnd_.Get(), nullptr, left, top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
}

// The process is aware of each monitor's DPI: the primary monitor's size in its own pixels.
platform::Size ByeWindow::ScreenSize() const {
    const platform::Size size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (size.width <= 0 || size.height <= 0) {
        throw platform::Error(L"The primary screen's size is unknown.");
    }
    return size;
}

void ByeWindow::Show() {
    // The base class has the same name as the system function.
    ::ShowWindow(hwnd_.Get(), SW_SHOWNORMAL);
    // Activated, so that Esc, Enter and Space reach it; Windows may refuse a process that the
    // user is not working with, and the window then still takes a click.
    SetForegroundWindow(hwnd_.Get());
    platform::TimeStamp("shown");
    Succeeded(UpdateWindow(hwnd_.Get()));
}

void ByeWindow::MakeTopMost() {
    Succeeded(SetWindowPos(hwnd_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
}

void ByeWindow::ShowBackdrop() {
    if (!backdrop_) {
        backdrop_ = std::make_unique<Backdrop>(events_);
    }
    // Top-most while still hidden, so that the backdrop can go right below it and the window
    // comes up above it.
    Succeeded(SetWindowPos(hwnd_.Get(), HWND_TOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    backdrop_->ShowBelow(hwnd_.Get());
}

void ByeWindow::BeginShow() {
    EndOnAnyFault();
    SetWindowLongPtrW(hwnd_.Get(), kShowBegunSlot, 1);
}

void ByeWindow::Unload() { Close(CloseRequest::Unload); }

void ByeWindow::ListenForSessionChanges() {
    listenTriesLeft_ = kListenTries;
    if (!sessionNotifications_.Start(hwnd_.Get())) {
        Succeeded(SetTimer(hwnd_.Get(), kListenTimer, kListenIntervalMs, nullptr) != 0);
    }
}

// The program's handler ends the process: the window never carries a close out itself, and
// so it cannot cancel one either.
void ByeWindow::Close(CloseRequest request) { events_.OnCloseRequest(request); }

void ByeWindow::OnDestroyed() {
    hwnd_.Release();
    WindowUnloaded();
}

LRESULT ByeWindow::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CutsShort(message, wParam, lParam)) {
        events_.OnCutShort();
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            Close(SessionEndRequest(lParam));
            return TRUE;
        case WM_SYSCOMMAND:
            // The window's own close command, which Alt+F4 gives too. Handled here, it never
            // becomes the WM_CLOSE that other programs send.
            if ((wParam & 0xFFF0U) == SC_CLOSE) {
                Close(CloseRequest::CloseCommand);
                return 0;
            }
            break;
        case WM_CLOSE:
            Close(CloseRequest::OtherProgram);
            return 0;
        case WM_WTSSESSION_CHANGE:
            if (const auto change = SessionChangeOf(wParam)) {
                events_.OnSessionChange(*change);
            }
            return 0;
        case WM_TIMER:
            if (wParam == kListenTimer &&
                (sessionNotifications_.Start(hwnd) || --listenTriesLeft_ <= 0)) {
                KillTimer(hwnd, kListenTimer);
            }
            return 0;
        case WM_DESTROY:
            sessionNotifications_.Stop();
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
