#include "fake_dialogs.h"

#include "platform/error.h"

namespace fake {

bool Dialogs::Answer(platform::OpenFileRecord& record) {
    if (whileOpen) {
        whileOpen();
    }
    // The platform writes the path and one NUL over the start of the buffer, and refuses a
    // path when they do not fit.
    if (!chosenFile || !record.lpstrFile) {
        return false;
    }
    if (chosenFile->size() >= record.nMaxFile) {
        throw platform::PathTooLong(L"The chosen path does not fit.");
    }
    record.lpstrFile->replace(0, chosenFile->size() + 1, *chosenFile + L'\0');
    return true;
}

bool Dialogs::OpenFileDialog(platform::OpenFileRecord& record) {
    opens.push_back(record);
    return Answer(record);
}

bool Dialogs::SaveFileDialog(platform::OpenFileRecord& record) {
    saves.push_back(record);
    return Answer(record);
}

std::unique_ptr<platform::FolderItem> Dialogs::BrowseFolder(platform::BrowseRecord& record) {
    browses.push_back(record);
    if (whileOpen) {
        whileOpen();
    }
    if (record.lpfn != nullptr) {
        // Window ready, then a selection change, as the real browser reports them.
        record.lpfn(*this, browserWindow, 1, 0, record.lParam);
        record.lpfn(*this, browserWindow, 2, 0x1234, record.lParam);
    }
    if (failBrowse) {
        throw platform::Error(L"The folder browser failed.");
    }
    if (!chosenFolder) {
        return nullptr;
    }
    return std::make_unique<FolderItem>(*chosenFolder);
}

std::wstring Dialogs::PathFromItem(const platform::FolderItem& item) {
    if (failPath) {
        throw platform::Error(L"The folder has no path.");
    }
    return dynamic_cast<const FolderItem&>(item).path;
}

std::intptr_t Dialogs::SendBrowserMessage(std::intptr_t window, unsigned message,
                                          std::intptr_t wParam, const std::wstring& text) {
    messages.push_back({window, message, wParam, text});
    return 1;
}

}  // namespace fake
