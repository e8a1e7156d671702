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
#include "settings_ui/moment_pages.h"

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

std::wstring SoundFilter() {
    const std::wstring media = MediaFilter();
    const std::wstring sounds =
        std::wstring(platform::CurrentTexts().soundFiles) + L"|*.wav;*.mp3;*.mid|";
    return sounds + media;
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
    {SettingControl::Command8, SettingControl::Text9},
    {SettingControl::Command9, SettingControl::Text10},
    {SettingControl::Command10, SettingControl::Text11},
    {SettingControl::Command11, SettingControl::Text12},
};

// The boxes that take a sound: their dialog lists the sounds first.
constexpr SettingControl kSoundBoxes[] = {SettingControl::Text7, SettingControl::Text9,
                                          SettingControl::Text10, SettingControl::Text11,
                                          SettingControl::Text12};

// The settings file's keys, each with the control that gives its value. Save writes them in
// this order; a new file holds them so.
struct Key {
    const wchar_t* key;
    SettingControl box;
};

constexpr Key kKeys[] = {
    {L"MediaFile", SettingControl::Text1},    {L"Time", SettingControl::Text4},
    {L"Width", SettingControl::Text2},        {L"Height", SettingControl::Text3},
    {L"LogonFile", SettingControl::Text5},    {L"LogoffFile", SettingControl::Text6},
    {L"LockFile", SettingControl::Text7},     {L"UnlockFile", SettingControl::Text8},
    {L"LimitMedia", SettingControl::Check3},  {L"MediaSound", SettingControl::Text9},
    {L"LogonSound", SettingControl::Text10},  {L"LogoffSound", SettingControl::Text11},
    {L"UnlockSound", SettingControl::Text12}, {L"Backdrop", SettingControl::Check4},
};

// The test's settings file: the moment's file and sound in the shut-down's keys, which the
// test show reads, and the values every show shares.
constexpr Key kTrialKeys[] = {
    {L"Time", SettingControl::Text4},      {L"Width", SettingControl::Text2},
    {L"Height", SettingControl::Text3},    {L"LimitMedia", SettingControl::Check3},
    {L"Backdrop", SettingControl::Check4},
};

// What a check box gives the settings file.
bool IsCheckBox(SettingControl control) {
    return control == SettingControl::Check3 || control == SettingControl::Check4;
}

}  // namespace

void Setting::OnClick(SettingControl control) {
    const auto browse = std::find_if(std::begin(kBrowseButtons), std::end(kBrowseButtons),
                                     [control](const auto& row) { return row.first == control; });
    if (browse != std::end(kBrowseButtons)) {
        const bool sound = std::find(std::begin(kSoundBoxes), std::end(kSoundBoxes),
                                     browse->second) != std::end(kSoundBoxes);
        Browse(browse->second, sound ? SoundFilter() : MediaFilter());
        return;
    }
    switch (control) {
        case SettingControl::Check1:
            FixedSizeRule();
            return;
        case SettingControl::List1:
            ShowPage();
            return;
        case SettingControl::Command12:
            Test();
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
    view_->SetText(SettingControl::Text9, values.MediaSound);
    view_->SetText(SettingControl::Text10, values.LogonSound);
    view_->SetText(SettingControl::Text11, values.LogoffSound);
    view_->SetText(SettingControl::Text12, values.UnlockSound);
    view_->SetChecked(SettingControl::Check4, values.Backdrop);
    const auto& names = platform::CurrentTexts().momentNames;
    view_->SetItems(SettingControl::List1, {names.begin(), names.end()});
    ShowPage();
}

void Setting::ShowPage() {
    const int selected = view_->Selected(SettingControl::List1);
    // Hidden first: no two pages are ever seen at once.
    for (const bool show : {false, true}) {
        for (std::size_t i = 0; i < MomentPages().size(); ++i) {
            if ((static_cast<int>(i) == selected) == show) {
                for (const auto control : MomentPages()[i].controls) {
                    view_->SetVisible(control, show);
                }
            }
        }
    }
}

void Setting::FixedSizeRule() {
    const bool on = view_->Checked(SettingControl::Check1);
    for (const auto control : {SettingControl::Text2, SettingControl::Text3, SettingControl::Label3,
                               SettingControl::Label4}) {
        view_->SetEnabled(control, on);
    }
}

void Setting::Browse(SettingControl box, const std::wstring& filter) {
    FileDlg dialog(os_.dialogs, os_.files, os_.process);
    dialog.Title = platform::CurrentTexts().browseFileTitle;
    dialog.Filter = filter;
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

namespace {

// Writes the values of the keys into the file at IniMod::IniFile(), in a form that holds
// them all (every value first: the form depends on each). Throws platform::Error.
void WriteKeys(platform::ProfileFile& profile,
               const std::vector<std::pair<std::wstring, std::wstring>>& keys) {
    std::vector<std::wstring> values;
    std::transform(keys.begin(), keys.end(), std::back_inserter(values),
                   [](const auto& key) { return key.second; });
    IniMod::ChooseIniForm(profile, values);
    for (const auto& [key, value] : keys) {
        IniMod::WriteIni(profile, config::kSection, key, value);
    }
}

}  // namespace

bool Setting::WriteSettings() {
    try {
        std::vector<std::pair<std::wstring, std::wstring>> keys;
        std::transform(std::begin(kKeys), std::end(kKeys), std::back_inserter(keys),
                       [this](const Key& key) { return std::pair(key.key, BoxValue(key.box)); });
        WriteKeys(os_.profile, keys);
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
    if (IsCheckBox(box)) {
        return view_->Checked(box) ? L"1" : L"0";
    }
    return view_->Text(box);
}

void Setting::Quit() { os_.process.EndProgram(); }

void Setting::Test() {
    using platform::IgnoreErrors;
    const int selected = view_->Selected(SettingControl::List1);
    if (selected < 0 || static_cast<std::size_t>(selected) >= MomentPages().size()) {
        return;
    }
    const auto& page = MomentPages()[static_cast<std::size_t>(selected)];
    std::wstring file = view_->Text(page.file);
    if (file.empty() && page.fileWhenEmpty) {
        file = view_->Text(*page.fileWhenEmpty);
    }
    EndTest();
    if (file.empty()) {
        IgnoreErrors([&] {
            os_.messages.ShowMessage(platform::CurrentTexts().nothingToTest, os_.process.Title(),
                                     platform::kInformationStyle);
        });
        return;
    }
    try {
        WriteTrialSettings(file, page.sound ? view_->Text(*page.sound) : L"");
        os_.showProcess.Launch(std::wstring(config::kTrialArgument) + L" \"" + trialFile_ + L"\"");
        testStarted_ = true;
    } catch (const platform::Error& error) {
        EndTest();
        IgnoreErrors([&] {
            os_.messages.ShowMessage(error.Description(), os_.process.Title(),
                                     platform::kWarningStyle);
        });
    }
}

void Setting::WriteTrialSettings(const std::wstring& file, const std::wstring& sound) {
    trialFile_ = os_.files.CreateTempFile();
    std::vector<std::pair<std::wstring, std::wstring>> keys = {{L"MediaFile", file},
                                                               {L"MediaSound", sound}};
    const bool fixedSize = view_->Checked(SettingControl::Check1);
    for (const auto& key : kTrialKeys) {
        const bool size = key.box == SettingControl::Text2 || key.box == SettingControl::Text3;
        keys.emplace_back(key.key, size && !fixedSize ? L"" : BoxValue(key.box));
    }
    IniMod::SetIniFile(trialFile_);
    WriteKeys(os_.profile, keys);
}

void Setting::EndTest() {
    using platform::IgnoreErrors;
    if (std::exchange(testStarted_, false)) {
        IgnoreErrors([&] { os_.showProcess.End(); });
    }
    if (!trialFile_.empty()) {
        IgnoreErrors([&] {
            if (os_.files.FileExists(trialFile_)) {
                os_.files.RemoveFile(trialFile_);
            }
        });
        trialFile_.clear();
    }
}

}  // namespace settings_ui
