#include <windows.h>

#include "app/forms.h"
#include "app/main.h"
#include "platform/error.h"
#include "platform/win32/base/message_pump.h"
#include "platform/win32/session/safe_start.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/base/window_lifetime.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    win32::GuardProcess();

    win32::Win32Platform native(commandLine != nullptr ? commandLine : L"");
    try {
        app::Main(native.os);
    } catch (const platform::Error&) {
        // What the start procedure did not handle ends it; the windows it loaded still run.
    }
    MSG message{};
    while (win32::AnyWindowLoaded() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        win32::DispatchOne(message);
    }
    // The windows go before the platform they were made with.
    app::ResetForms();
    return 0;
}
