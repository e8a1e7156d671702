#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "app/main.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR commandLine,
                    int /*show*/) {
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    static win32::Win32Platform platform(commandLine != nullptr ? commandLine : L"");
    try {
        app::Main(platform.os);
    } catch (const std::exception&) {
        platform.process.EndProgram();
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // Windows may still be loaded: end the process as a whole, like every other road.
    platform.process.EndProgram();
}
