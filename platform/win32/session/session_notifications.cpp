#include "platform/win32/session/session_notifications.h"

#include <wtsapi32.h>

namespace win32 {

bool SessionNotifications::Start(HWND window) {
    if (window_ == nullptr && WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION)) {
        window_ = window;
    }
    return window_ != nullptr;
}

void SessionNotifications::Stop() {
    if (window_ != nullptr) {
        WTSUnRegisterSessionNotification(window_);
        window_ = nullptr;
    }
}

std::optional<platform::SessionChange> SessionChangeOf(WPARAM code) {
    switch (code) {
        case WTS_SESSION_LOCK:
            return platform::SessionChange::Lock;
        case WTS_SESSION_UNLOCK:
            return platform::SessionChange::Unlock;
        default:
            return std::nullopt;
    }
}

}  // namespace win32
