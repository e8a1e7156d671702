#include "platform/win32/window_system.h"

#include <utility>

#include "platform/win32/settings_ui/setting_window.h"
#include "platform/win32/show/bye_window.h"
#include "platform/win32/show/picture_decoder.h"

namespace win32 {

std::unique_ptr<platform::ShowWindow> WindowSystem::LoadByeWindow(platform::ByeWindowEvents& events,
                                                                  const std::wstring& caption) {
    return std::make_unique<ByeWindow>(events, caption);
}

std::unique_ptr<platform::SettingView> WindowSystem::LoadSettingWindow(
    platform::SettingEvents& events) {
    return std::make_unique<SettingWindow>(events);
}

std::unique_ptr<platform::Picture> WindowSystem::OpenPicture(std::vector<std::uint8_t> bytes,
                                                             bool askOrientation) {
    return std::make_unique<ImagingPicture>(std::move(bytes), askOrientation);
}

}  // namespace win32
