#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace settings_ui {

inline constexpr wchar_t kCaptionSuffix[] = L"の設定";
inline constexpr wchar_t kBrowseFileTitle[] = L"ファイルの参照";
// Shown when the chosen file's path is longer than the file dialog takes.
inline constexpr wchar_t kPathTooLongMessage[] =
    L"選んだファイルのパスが長すぎます。255 文字までのパスにあるファイルを選んでください。";
// Display name and pattern list of each entry, each part ended by "|".
inline constexpr wchar_t kMediaFilter[] =
    L"利用できるファイル|*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.tif;*.tiff;*.webp;*.heic;"
    L"*.heif;*.ico;*.mpg;*.avi;*.wmv;*.asf;*.wav;*.mp3;*.mid|"
    L"画像ファイル|*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.tif;*.tiff;*.webp;*.heic;*.heif;"
    L"*.ico|"
    L"動画ファイル|*.mpg;*.avi;*.wmv;*.asf|"
    L"音声ファイル|*.wav;*.mp3;*.mid|"
    L"すべてのファイル|*.*|";

// The settings window. It shows the process's settings values, which it only reads; Save
// writes its texts as typed to the settings file, registers or unregisters the start with the
// Windows session, and ends the program. It is loaded when first shown, and again after the
// user has closed it by its close box.
class Setting final : public platform::SettingEvents {
  public:
    explicit Setting(platform::Platform& os) : os_(os) {}

    void Show();
    void OnClick(platform::SettingControl control) override;
    void OnUnload() override;

    // "Kestro 2.1の設定": title, major and minor version.
    static std::wstring Caption(const platform::Process& process);

  private:
    void Load();
    void FixedSizeRule();
    // Fills the box with the file the user chooses in the file dialog.
    void Browse(platform::SettingControl box);
    void Save();
    // The values into the settings file; false, with the platform's description shown,
    // when one could not be written.
    bool WriteSettings();
    // What a control gives the settings file: its text, or 1 or 0 for a check box.
    std::wstring BoxValue(platform::SettingControl box) const;
    void Quit();

    platform::Platform& os_;
    std::unique_ptr<platform::SettingView> view_;
    bool loaded_ = false;
};

}  // namespace settings_ui
