#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/base/handle.h"
#include "platform/win32/session/session_notifications.h"
#include "platform/win32/show/backdrop.h"
#include "platform/win32/show/picture_box.h"
#include "platform/window_system.h"

namespace win32 {

// The window class of the show window, by which the installer and a session command find it.
inline constexpr wchar_t kByeWindowClass[] = L"KestroByeWindow";

// The exit-show window: borderless, not in the taskbar, hidden until the show.
class ByeWindow final : public platform::ShowWindow {
  public:
    ByeWindow(platform::ByeWindowEvents& events, const std::wstring& caption);

    platform::PictureBox& Picture1() override { return *picture1_; }
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(Hwnd()); }
    void SetOuterSize(int width, int height) override;
    void CenterOnScreen() override;
    platform::Size ScreenSize() const override;
    void Show() override;
    void MakeTopMost() override;
    void ShowBackdrop() override;
    void BeginShow() override;
    void Unload() override;
    void ListenForSessionChanges() override;

    HWND Hwnd() const { return hwnd_.Get(); }
    PictureBox& Box() { return *picture1_; }

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed();

  private:
    void Close(platform::CloseRequest request);

    platform::ByeWindowEvents& events_;
    // Before the window, so that the box is still there when the window's end takes its
    // child window with it.
    std::unique_ptr<PictureBox> picture1_;
    // Before the window too: its end undoes the registration while the window still exists.
    SessionNotifications sessionNotifications_;
    int listenTriesLeft_ = 0;
    Window hwnd_;
    // Made with the show, when the settings ask for it.
    std::unique_ptr<Backdrop> backdrop_;
};

// The show window (of any process) has begun its show; else it waits, or shows nothing.
bool ShowBegun(HWND window);

// What a WM_QUERYENDSESSION says about the end of the session, from its lParam flags.
platform::CloseRequest SessionEndRequest(LPARAM flags);

}  // namespace win32
