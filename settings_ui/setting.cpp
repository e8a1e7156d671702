#include "settings_ui/setting.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "config/ini_mod.h"
#include "config/logon_task.h"
#include "config/number_text.h"
#include "config/settings.h"
#include "config/shortcut.h"
#include "config/startup.h"
#include "platform/error.h"
#include "settings_ui/file_dlg.h"

namespace settings_ui {

using platform::SettingControl;

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

void Setting::OnClick(SettingControl control) {
    switch (control) {
        case SettingControl::Check1:
            FixedSizeRule();
            return;
        case SettingControl::Command3:
            Browse(SettingControl::Text1);
            return;
        case SettingControl::Command4:
            Browse(SettingControl::Text5);
            return;
        case SettingControl::Command5:
            Browse(SettingControl::Text6);
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
    dialog.Title = kBrowseFileTitle;
    dialog.Filter = kMediaFilter;
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
            os_.messages.ShowMessage(kPathTooLongMessage, os_.process.Title(),
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
        {L"MediaFile", SettingControl::Text1}, {L"Time", SettingControl::Text4},
        {L"Width", SettingControl::Text2},     {L"Height", SettingControl::Text3},
        {L"LogonFile", SettingControl::Text5}, {L"LogoffFile", SettingControl::Text6},
    };
    try {
        // Every value first: the file's form depends on every value of the Save.
        std::vector<std::wstring> values;
        std::transform(std::begin(keys), std::end(keys), std::back_inserter(values),
                       [this](const Key& key) { return view_->Text(key.box); });
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

void Setting::Quit() { os_.process.EndProgram(); }

}  // namespace settings_ui
