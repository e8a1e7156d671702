#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/error.h"

namespace platform {

// The size the program states for the open-file record: the classic layout of 32-bit Windows.
inline constexpr std::uint32_t kClassicOpenFileRecordSize = 76;
// Open-file and save-file dialog flags: the folder and the file must exist; the Explorer-style
// dialog without its read-only box.
inline constexpr std::uint32_t kPathAndFileMustExist = 0x1800;
inline constexpr std::uint32_t kExplorerHideReadOnly = 0x80004;
// The folder browser's flag that lets only file-system folders be chosen, its notification that
// its window is ready, and its message that selects a folder by its path in wide text.
inline constexpr std::uint32_t kFileSystemFoldersOnly = 1;
inline constexpr unsigned kBrowserReady = 1;
inline constexpr unsigned kBrowserSelectPath = 1127;

// The record of the open-file and save-file dialogs, field by field as the platform takes it,
// with wide texts. An absent text (nullopt) reaches the platform as a null pointer; an empty
// one as an empty text. Texts may hold NULs: the filter is a NUL-separated list, and the file
// buffers are padded with NULs to the size the platform may write.
struct OpenFileRecord {
    // The size of the classic record (76 bytes, the layout without the Windows 2000
    // additions) as the program states it. The Win32 layer hands the platform the size of
    // the record it really builds, which is what the platform checks.
    std::uint32_t lStructSize = 0;
    std::intptr_t hwndOwner = 0;
    std::intptr_t hInstance = 0;
    std::optional<std::wstring> lpstrFilter;
    std::optional<std::wstring> lpstrCustomFilter;
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0;
    // The buffers below come back as the platform left them, and so does lpstrCustomFilter.
    std::optional<std::wstring> lpstrFile;
    std::uint32_t nMaxFile = 0;
    std::optional<std::wstring> lpstrFileTitle;
    std::uint32_t nMaxFileTitle = 0;
    std::optional<std::wstring> lpstrInitialDir;
    std::optional<std::wstring> lpstrTitle;
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
    std::optional<std::wstring> lpstrDefExt;
    std::intptr_t lCustData = 0;
    // No hook procedure: the dialogs are the platform's own, never customised.
    std::optional<std::wstring> lpTemplateName;
};

class CommonDialogs;

// Called by the folder browser while it runs, on the thread that opened it: the browser's
// window, the notification, its parameter, and the record's lParam.
using BrowseCallback = int (*)(CommonDialogs& dialogs, std::intptr_t window, unsigned message,
                               std::intptr_t lParam, std::intptr_t data);

// The folder browser's record, with wide texts as in OpenFileRecord.
struct BrowseRecord {
    std::intptr_t hwndOwner = 0;
    // The browser's root item; 0 is the desktop, the whole namespace.
    std::intptr_t pidlRoot = 0;
    // Receives the chosen folder's display name when present.
    std::optional<std::wstring> pszDisplayName;
    std::optional<std::wstring> lpszTitle;
    std::uint32_t ulFlags = 0;
    BrowseCallback lpfn = nullptr;
    std::intptr_t lParam = 0;
    // Filled by the platform: the chosen folder's icon in the system image list.
    int iImage = 0;
};

// A folder the browser returned. Its owner releases it by dropping it.
class FolderItem {
  public:
    virtual ~FolderItem() = default;
};

// The user chose a file whose path is longer than the record's file buffer holds.
class PathTooLong : public Error {
  public:
    using Error::Error;
};

// The platform's common dialogs. Each shows a modal dialog and returns when it closes.
class CommonDialogs {
  public:
    virtual ~CommonDialogs() = default;

    // True when the user chose a file; false when the user cancelled or the dialog failed.
    // Throws PathTooLong when the chosen path does not fit lpstrFile. The record's buffers
    // come back on every path.
    virtual bool OpenFileDialog(OpenFileRecord& record) = 0;
    virtual bool SaveFileDialog(OpenFileRecord& record) = 0;

    // The chosen folder, or null when the user cancelled.
    virtual std::unique_ptr<FolderItem> BrowseFolder(BrowseRecord& record) = 0;
    // The folder's whole file-system path, from a buffer as long as the longest path the
    // platform has (so it may end in NULs); empty when the folder has no such path.
    virtual std::wstring PathFromItem(const FolderItem& item) = 0;
    // Sends a message to the folder browser's window, its long parameter the wide text.
    virtual std::intptr_t SendBrowserMessage(std::intptr_t window, unsigned message,
                                             std::intptr_t wParam, const std::wstring& text) = 0;
};

}  // namespace platform
