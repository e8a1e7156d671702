#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace settings_ui {

inline constexpr wchar_t kCaptionSuffix[] = L"の設定";

// The settings window. It is loaded when first shown, and again after the user has closed
// it by its close box.
class Setting final : public platform::SettingEvents {
  public:
    explicit Setting(platform::Platform& os) : os_(os) {}

    void Show();
    void OnUnload() override;

    // "Kestro 2.1の設定": title, major and minor version.
    static std::wstring Caption(const platform::Process& process);

  private:
    void Load();

    platform::Platform& os_;
    std::unique_ptr<platform::SettingView> view_;
    bool loaded_ = false;
};

}  // namespace settings_ui
