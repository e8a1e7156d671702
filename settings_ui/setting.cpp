#include "settings_ui/setting.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "config/ini_mod.h"
#include "config/logon_task.h"
#include "config/number_text.h"
#include "config/settings.h"
#include "config/shortcut.h"
#include "config/startup.h"
#include "platform/error.h"
#include "platform/texts.h"
#include "settings_ui/file_dlg.h"

namespace settings_ui {

using platform::SettingControl;

std::wstring MediaFilter() {
    constexpr wchar_t kPictures[] =
        L"*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.tif;*.tiff;*.webp;*.heic;*.heif;*.ico";
    constexpr wchar_t kVideos[] = L"*.mpg;*.avi;*.wmv;*.asf";
    constexpr wchar_t kSounds[] = L"*.wav;*.mp3;*.mid";
    const auto& texts = platform::CurrentTexts();
    return std::wstring(texts.supportedFiles) + L"|" + kPictures + L";" + kVideos + L";" + kSounds +
           L"|" + texts.pictureFiles + L"|" + kPictures + L"|" + texts.videoFiles + L"|" + kVideos +
           L"|" + texts.soundFiles + L"|" + kSounds + L"|" + texts.allFiles + L"|*.*|";
}

std::wstring Setting::Caption(const platform::Process& process) {
    return process.Title() + L" " + std::to_wstring(process.VersionMajor()) + L"." +
           std::to_wstring(process.VersionMinor()) + platform::CurrentTexts().settingsCaptionSuffix;
}

void Setting::Show() {
    if (!loaded_) {
        Load();
    }
    view_->Show();
}

namespace {

// Each "..." button and the file box it fills.
constexpr std::pair<SettingControl, SettingControl> kBrowseButtons[] = {
    {SettingControl::Command3, SettingControl::Text1},
    {SettingControl::Command4, SettingControl::Text5},
    {SettingControl::Command5, SettingControl::Text6},
    {SettingControl::Command6, SettingControl::Text7},
    {SettingControl::Command7, SettingControl::Text8},
};

}  // namespace

void Setting::OnClick(SettingControl control) {
    const auto browse = std::find_if(std::begin(kBrowseButtons), std::end(kBrowseButtons),
                                     [control](const auto& row) { return row.first == control; });
    if (browse != std::end(kBrowseButtons)) {
        Browse(browse->second);
        return;
    }
    switch (control) {
        case SettingControl::Check1:
            FixedSizeRule();
            return;
        case SettingControl::Command1:
            Save();
            return;
        case SettingControl::Command2:
            Quit();
            return;
        default:
            return;
    }
}

void Setting::OnUnload() { loaded_ = false; }

void Setting::Load() {
    view_ = os_.windows.LoadSettingWindow(*this);
    loaded_ = true;
    const auto& values = config::Settings();
    view_->SetChecked(SettingControl::Check1, values.Width != 0);
    FixedSizeRule();
    view_->SetCaption(Caption(os_.process));
    view_->SetChecked(SettingControl::Check2, config::Registered(os_.shell, os_.lookup));
    view_->SetText(SettingControl::Text1, values.MediaFile);
    view_->SetText(SettingControl::Text4, config::SingleText(values.Time));
    view_->SetText(SettingControl::Text2, std::to_wstring(values.Width));
    view_->SetText(SettingControl::Text3, std::to_wstring(values.Height));
    view_->SetText(SettingControl::Text5, values.LogonFile);
    view_->SetText(SettingControl::Text6, values.LogoffFile);
    view_->SetText(SettingControl::Text7, values.LockFile);
    view_->SetText(SettingControl::Text8, values.UnlockFile);
    view_->SetChecked(SettingControl::Check3, values.LimitMedia);
}

void Setting::FixedSizeRule() {
    const bool on = view_->Checked(SettingControl::Check1);
    for (const auto control : {SettingControl::Text2, SettingControl::Text3, SettingControl::Label3,
                               SettingControl::Label4}) {
        view_->SetEnabled(control, on);
    }
}

void Setting::Browse(SettingControl box) {
    FileDlg dialog(os_.dialogs, os_.files, os_.process);
    dialog.Title = platform::CurrentTexts().browseFileTitle;
    dialog.Filter = MediaFilter();
    bool chosen = false;
    platform::IgnoreErrors([&] {
        dialog.ShowOpen(view_->Handle(), L"", L"");
        chosen = !dialog.Cancel;
    });
    if (chosen) {
        view_->SetText(box, dialog.Filename);
    } else if (dialog.PathTooLong) {
        // Taken quietly, the choice would look ignored; the box keeps what it had.
        platform::IgnoreErrors([&] {
            os_.messages.ShowMessage(platform::CurrentTexts().pathTooLong, os_.process.Title(),
                                     platform::kWarningStyle);
        });
    }
}

void Setting::Save() {
    using platform::IgnoreErrors;
    // What the user typed into the size boxes, given back if the settings cannot be saved.
    const std::wstring typedWidth = view_->Text(SettingControl::Text2);
    const std::wstring typedHeight = view_->Text(SettingControl::Text3);
    const bool fixedSize = view_->Checked(SettingControl::Check1);
    if (!fixedSize) {
        IgnoreErrors([&] {
            view_->SetText(SettingControl::Text2, L"");
            view_->SetText(SettingControl::Text3, L"");
        });
    }
    IgnoreErrors([&] {
        if (view_->Checked(SettingControl::Check2)) {
            if (config::Register({os_.shell, os_.files, os_.messages, os_.process})) {
                config::RegisterLogonTask(os_.signIn, os_.process);
            }
        } else {
            config::Unregister(os_.shell, os_.files);
            config::UnregisterLogonTask(os_.signIn);
        }
    });
    IgnoreErrors([&] { IniMod::SetIniFile(config::SettingsFilePath(os_.process)); });
    if (!WriteSettings()) {
        if (!fixedSize) {
            IgnoreErrors([&] {
                view_->SetText(SettingControl::Text2, typedWidth);
                view_->SetText(SettingControl::Text3, typedHeight);
            });
        }
        return;
    }
    os_.process.EndProgram();
}

bool Setting::WriteSettings() {
    struct Key {
        const wchar_t* key;
        SettingControl box;
    };
    const Key keys[] = {
        {L"MediaFile", SettingControl::Text1},   {L"Time", SettingControl::Text4},
        {L"Width", SettingControl::Text2},       {L"Height", SettingControl::Text3},
        {L"LogonFile", SettingControl::Text5},   {L"LogoffFile", SettingControl::Text6},
        {L"LockFile", SettingControl::Text7},    {L"UnlockFile", SettingControl::Text8},
        {L"LimitMedia", SettingControl::Check3},
    };
    try {
        // Every value first: the file's form depends on every value of the Save.
        std::vector<std::wstring> values;
        std::transform(std::begin(keys), std::end(keys), std::back_inserter(values),
                       [this](const Key& key) { return BoxValue(key.box); });
        IniMod::ChooseIniForm(os_.profile, values);
        for (std::size_t i = 0; i < values.size(); ++i) {
            IniMod::WriteIni(os_.profile, config::kSection, keys[i].key, values[i]);
        }
    } catch (const platform::Error& error) {
        // Ending now would throw away what the user typed: the window stays open instead, so
        // that the cause can be fixed and Save pressed again.
        platform::IgnoreErrors([&] {
            os_.messages.ShowMessage(error.Description(), os_.process.Title(),
                                     platform::kWarningStyle);
        });
        return false;
    }
    return true;
}

std::wstring Setting::BoxValue(SettingControl box) const {
    if (box == SettingControl::Check3) {
        return view_->Checked(box) ? L"1" : L"0";
    }
    return view_->Text(box);
}

void Setting::Quit() { os_.process.EndProgram(); }

}  // namespace settings_ui
