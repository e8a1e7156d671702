#pragma once

#include <windows.h>

#include <optional>

#include "platform/window_system.h"

namespace win32 {

// A window's registration for the changes of its own session, undone before the window ends.
class SessionNotifications {
  public:
    SessionNotifications() = default;
    SessionNotifications(const SessionNotifications&) = delete;
    SessionNotifications& operator=(const SessionNotifications&) = delete;
    ~SessionNotifications() { Stop(); }

    // False while Windows cannot take the registration yet (its terminal services start a while
    // after sign-in); true once the window is registered.
    bool Start(HWND window);
    void Stop();

  private:
    HWND window_ = nullptr;
};

// What a WM_WTSSESSION_CHANGE says about the lock, from its wParam; none for the other
// changes. A user switch locks the session before it disconnects the console, so the
// disconnect itself is not a second lock.
std::optional<platform::SessionChange> SessionChangeOf(WPARAM code);

}  // namespace win32
