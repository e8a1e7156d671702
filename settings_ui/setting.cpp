#include "settings_ui/setting.h"

namespace settings_ui {

std::wstring Setting::Caption(const platform::Process& process) {
    return process.Title() + L" " + std::to_wstring(process.VersionMajor()) + L"." +
           std::to_wstring(process.VersionMinor()) + kCaptionSuffix;
}

void Setting::Show() {
    if (!loaded_) {
        Load();
    }
    view_->Show();
}

void Setting::OnUnload() { loaded_ = false; }

void Setting::Load() {
    view_ = os_.windows.LoadSettingWindow(*this);
    loaded_ = true;
    view_->SetCaption(Caption(os_.process));
}

}  // namespace settings_ui
