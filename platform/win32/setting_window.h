#pragma once

#include <windows.h>

#include "platform/window_system.h"

namespace win32 {

// The settings window: a fixed-size frame with a close box and no minimise or maximise box.
class SettingWindow final : public platform::SettingView {
  public:
    explicit SettingWindow(platform::SettingEvents& events);
    SettingWindow(const SettingWindow&) = delete;
    SettingWindow& operator=(const SettingWindow&) = delete;
    ~SettingWindow() override;

    void SetCaption(const std::wstring& caption) override;
    void Show() override;

    HWND Hwnd() const { return hwnd_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    platform::SettingEvents& events_;
};

}  // namespace win32
