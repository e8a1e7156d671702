#include "platform/win32/base/window_proc.h"

namespace win32 {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                         int extraBytes) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    // The application icon is resource 1 of the executable.
    windowClass.hIcon = LoadIconW(module, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

}  // namespace win32
