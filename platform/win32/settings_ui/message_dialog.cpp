#include "platform/win32/settings_ui/message_dialog.h"

#include <windows.h>

#include "platform/win32/base/win32_error.h"

namespace win32 {

static_assert(platform::kWarningStyle == (MB_ICONEXCLAMATION | MB_OK));
static_assert(platform::kInformationStyle == (MB_ICONINFORMATION | MB_OK));

void MessageDialog::ShowMessage(const std::wstring& text, const std::wstring& title, int style) {
    // Without an owner window the box must hold all of the thread's windows itself, or the
    // user could press the button that raised it again while it is open.
    Succeeded(
        MessageBoxW(nullptr, text.c_str(), title.c_str(), static_cast<UINT>(style) | MB_TASKMODAL));
}

}  // namespace win32
