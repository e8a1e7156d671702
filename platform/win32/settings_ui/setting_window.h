#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/win32/base/handle.h"
#include "platform/win32/settings_ui/setting_layout.h"
#include "platform/window_system.h"

namespace win32 {

// The settings window: a fixed-size window with a caption, a close box and the controls of
// the design, laid out at the DPI of its monitor in the system's message font for that DPI.
// The keyboard moves through the controls as in a dialog box.
class SettingWindow final : public platform::SettingView {
  public:
    explicit SettingWindow(platform::SettingEvents& events);
    SettingWindow(const SettingWindow&) = delete;
    SettingWindow& operator=(const SettingWindow&) = delete;
    ~SettingWindow() override;

    void SetCaption(const std::wstring& caption) override;
    std::wstring Text(platform::SettingControl control) const override;
    void SetText(platform::SettingControl control, const std::wstring& text) override;
    bool Checked(platform::SettingControl control) const override;
    void SetChecked(platform::SettingControl control, bool checked) override;
    void SetEnabled(platform::SettingControl control, bool enabled) override;
    void SetVisible(platform::SettingControl control, bool visible) override;
    void SetItems(platform::SettingControl control,
                  const std::vector<std::wstring>& items) override;
    int Selected(platform::SettingControl control) const override;
    std::intptr_t Handle() const override;
    void Show() override;

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed();

  private:
    void CreateControls();
    // Places the controls and gives them the font for the DPI.
    void Arrange(int dpi);
    HWND Control(platform::SettingControl control) const;

    platform::SettingEvents& events_;
    // Declared before the window, so that it outlives the controls that draw with it.
    Font font_;
    Window hwnd_;
    std::array<HWND, kSettingControlCount> controls_{};
};

}  // namespace win32
