#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common_dialogs.h"

namespace fake {

class FolderItem final : public platform::FolderItem {
  public:
    explicit FolderItem(std::wstring folderPath) : path(std::move(folderPath)) {}
    std::wstring path;
};

// The common dialogs as a scripted user answers them: it keeps a copy of every record the
// logic handed over and writes the chosen file into the record's buffer as the platform does.
class Dialogs final : public platform::CommonDialogs {
  public:
    struct Message {
        std::intptr_t window;
        unsigned message;
        std::intptr_t wParam;
        std::wstring text;
    };

    // The open and save dialogs' answer: the chosen path, or nothing for a cancel.
    std::optional<std::wstring> chosenFile;
    // The browser's answer: the chosen folder's path buffer (empty for a folder outside the
    // file system), or nothing for a cancel.
    std::optional<std::wstring> chosenFolder;
    bool failBrowse = false;
    bool failPath = false;
    // Runs while a dialog is open, for a look at the caller's state at that moment.
    std::function<void()> whileOpen;
    // The browser's window, as its callback is told.
    std::intptr_t browserWindow = 0x2a0e;

    std::vector<platform::OpenFileRecord> opens;
    std::vector<platform::OpenFileRecord> saves;
    std::vector<platform::BrowseRecord> browses;
    std::vector<Message> messages;

    bool OpenFileDialog(platform::OpenFileRecord& record) override;
    bool SaveFileDialog(platform::OpenFileRecord& record) override;
    std::unique_ptr<platform::FolderItem> BrowseFolder(platform::BrowseRecord& record) override;
    std::wstring PathFromItem(const platform::FolderItem& item) override;
    std::intptr_t SendBrowserMessage(std::intptr_t window, unsigned message, std::intptr_t wParam,
                                     const std::wstring& text) override;

  private:
    bool Answer(platform::OpenFileRecord& record);
};

}  // namespace fake
