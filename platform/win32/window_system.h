#pragma once

#include "platform/window_system.h"

namespace win32 {

class WindowSystem final : public platform::WindowSystem {
  public:
    std::unique_ptr<platform::ShowWindow> LoadByeWindow(platform::ByeWindowEvents& events,
                                                        const std::wstring& caption) override;
    std::unique_ptr<platform::SettingView> LoadSettingWindow(
        platform::SettingEvents& events) override;
    std::unique_ptr<platform::Picture> LoadPicture(const std::wstring& path) override;
    platform::PictureFacts InspectPicture(const std::wstring& path, bool askOrientation) override;
};

}  // namespace win32
