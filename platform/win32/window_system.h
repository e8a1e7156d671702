#pragma once

#include "platform/window_system.h"

namespace win32 {

class WindowSystem final : public platform::WindowSystem {
  public:
    std::unique_ptr<platform::ShowWindow> LoadByeWindow(platform::ByeWindowEvents& events,
                                                        const std::wstring& caption) override;
    std::unique_ptr<platform::SettingView> LoadSettingWindow(
        platform::SettingEvents& events) override;
    std::unique_ptr<platform::Picture> OpenPicture(std::vector<std::uint8_t> bytes,
                                                   bool askOrientation) override;
};

}  // namespace win32
