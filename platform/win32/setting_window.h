#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handle.h"
#include "platform/window_system.h"

namespace win32 {

// The settings window: a fixed-size window with a caption and a close box.
class SettingWindow final : public platform::SettingView {
  public:
    explicit SettingWindow(platform::SettingEvents& events);

    void SetCaption(const std::wstring& caption) override;
    void Show() override;

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed();

  private:
    platform::SettingEvents& events_;
    Window hwnd_;
};

}  // namespace win32
