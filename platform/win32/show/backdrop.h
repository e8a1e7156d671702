#pragma once

#include <windows.h>

#include "platform/win32/base/handle.h"
#include "platform/window_system.h"

namespace win32 {

// The window class of the backdrop: not the show window's, by which the installer and a
// session command find the show.
inline constexpr wchar_t kBackdropClass[] = L"KestroBackdrop";

// A black window over the whole desktop, every monitor, top-most right below the show window.
// It never takes the focus; a mouse button on it cuts the show short, as one on the show does.
class Backdrop {
  public:
    explicit Backdrop(platform::ByeWindowEvents& events);
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    // Covers the virtual screen and shows the backdrop directly below `above`.
    void ShowBelow(HWND above);

    HWND Hwnd() const { return hwnd_.Get(); }

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed() { hwnd_.Release(); }

  private:
    platform::ByeWindowEvents& events_;
    Window hwnd_;
};

}  // namespace win32
