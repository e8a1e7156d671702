#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace settings_ui {

// The file dialog's filter: display name and pattern list of each entry, each part ended by
// "|", the names in the language in use.
std::wstring MediaFilter();
// The same entries, sounds first.
std::wstring SoundFilter();

// The settings window. It shows the process's settings values, which it only reads; Save
// writes its texts as typed to the settings file, registers or unregisters the start with the
// Windows session, and ends the program. Its list of moments shows one moment's page at a
// time; Test shows the selected moment's show at once, in a show process of its own, with the
// values as typed and without writing the settings file. It is loaded when first shown, and
// again after the user has closed it by its close box.
class Setting final : public platform::SettingEvents {
  public:
    explicit Setting(platform::Platform& os) : os_(os) {}

    void Show();
    void OnClick(platform::SettingControl control) override;
    void OnUnload() override;

    // "Kestro 2.1の設定" or "Kestro 2.1 Settings": title, major and minor version.
    static std::wstring Caption(const platform::Process& process);

  private:
    void Load();
    void FixedSizeRule();
    // Shows the page of the moment selected in the list, and hides the others.
    void ShowPage();
    // Fills the box with the file the user chooses in the file dialog.
    void Browse(platform::SettingControl box, const std::wstring& filter);
    void Save();
    // The values into the settings file; false, with the platform's description shown,
    // when one could not be written.
    bool WriteSettings();
    // What a control gives the settings file: its text, or 1 or 0 for a check box.
    std::wstring BoxValue(platform::SettingControl box) const;
    void Quit();
    void Test();
    // The test's values into a new temporary settings file, which becomes trialFile_.
    // Throws platform::Error.
    void WriteTrialSettings(const std::wstring& file, const std::wstring& sound);
    // Ends the show of the last test, if it still runs, and removes its settings file if the
    // show has not read it.
    void EndTest();

    platform::Platform& os_;
    std::unique_ptr<platform::SettingView> view_;
    bool loaded_ = false;
    bool testStarted_ = false;
    std::wstring trialFile_;
};

}  // namespace settings_ui
