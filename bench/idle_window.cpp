// The least a program can do while it waits for the end of the session: one hidden window,
// blocked in GetMessage. The benchmark sets a waiting kestro.exe beside it.
#include <windows.h>

namespace {

LRESULT CALLBACK IdleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // A close from outside (taskkill) ends the program, as it ends a waiting kestro.exe.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = IdleProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"KestroBenchIdle";
    if (RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    if (CreateWindowExW(0, windowClass.lpszClassName, L"idle", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                        nullptr) == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
