#include "platform/win32/settings_ui/control_text.h"

namespace win32 {

std::wstring ControlText(HWND window) {
    // An owner that does not answer gives nothing instead of a hang. Not SMTO_ABORTIFHUNG:
    // a thread that has just opened a dialog and not yet pumped counts as hung.
    constexpr UINT kTimeoutMs = 5000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kTimeoutMs, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

}  // namespace win32
