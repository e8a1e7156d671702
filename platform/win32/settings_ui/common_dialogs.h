#pragma once

#include <windows.h>
// After windows.h, whose types they use.
#include <shlobj.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/common_dialogs.h"
#include "platform/win32/files/item_id_list.h"

namespace win32 {

// A folder the browser returned, released with the shell's allocator.
class FolderItem final : public platform::FolderItem {
  public:
    explicit FolderItem(ItemIdList item) : item_(std::move(item)) {}

    PCIDLIST_ABSOLUTE Get() const { return item_.Get(); }

  private:
    ItemIdList item_;
};

// The comdlg32 and shell32 dialogs with wide-text records: each call gets a copy of the
// program's record, and the texts the platform writes come back.
class CommonDialogs final : public platform::CommonDialogs {
  public:
    bool OpenFileDialog(platform::OpenFileRecord& record) override;
    bool SaveFileDialog(platform::OpenFileRecord& record) override;
    std::unique_ptr<platform::FolderItem> BrowseFolder(platform::BrowseRecord& record) override;
    std::wstring PathFromItem(const platform::FolderItem& item) override;
    std::intptr_t SendBrowserMessage(std::intptr_t window, unsigned message, std::intptr_t wParam,
                                     const std::wstring& text) override;
};

}  // namespace win32
