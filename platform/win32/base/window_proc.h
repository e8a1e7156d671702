#pragma once

#include <windows.h>

#include <exception>

namespace win32 {

// The window procedure of a class whose windows each belong to one C++ object. The object
// travels in CreateWindowExW's last parameter and stays in the window's user data; it gets
// OnMessage for every message after that, and OnDestroyed once the window is gone.
template <typename Owner>
LRESULT CALLBACK OwnerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The window system hands pointers over as integers.
        const auto* create =
            reinterpret_cast<const CREATESTRUCTW*>(lParam);  // NOLINT(performance-no-int-to-ptr)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(  // NOLINT(performance-no-int-to-ptr)
        GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        owner->OnDestroyed();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // No exception may unwind through the window system's frames. The program's errors
    // (platform::Error among them) end here: the message counts as handled.
    try {
        return owner->OnMessage(hwnd, message, wParam, lParam);
    } catch (const std::exception&) {
        return 0;
    }
}

// Registers a window class of the program's own module; the system refuses a second
// registration of the same name, which leaves the first in place. A class whose windows
// hand their other messages to DefDlgProcW needs DLGWINDOWEXTRA extra bytes.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                         int extraBytes = 0);

}  // namespace win32
