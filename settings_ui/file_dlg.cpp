#include "settings_ui/file_dlg.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/text.h"
#include "platform/texts.h"
#include "settings_ui/file_dlg_mod.h"

namespace settings_ui {
namespace {

// "Pictures|*.bmp;*.png|" becomes the NUL-separated list the platform reads.
std::wstring FilterList(std::wstring filter) {
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter;
}

}  // namespace

platform::OpenFileRecord FileDlg::FileRecord(std::intptr_t lngHWnd, const std::wstring& strFilter,
                                             const std::wstring& strDefDir) {
    const std::wstring& filter = strFilter.empty() ? Filter : strFilter;
    const std::wstring startDir = strDefDir.empty() ? files_.CurrentDirectory() : strDefDir;
    Cancel = false;
    PathTooLong = false;
    if (Filename.size() > kFileBufferLength) {
        throw platform::Error(L"The file name is longer than the dialog's buffer.");
    }

    platform::OpenFileRecord record;
    record.lStructSize = platform::kClassicOpenFileRecordSize;
    record.hwndOwner = lngHWnd;
    record.lpstrFilter = FilterList(filter);
    record.nFilterIndex = 1;
    record.lpstrFile = Filename + std::wstring(kFileBufferLength - Filename.size(), L'\0');
    record.nMaxFile = kFileBufferLength;
    record.lpstrFileTitle = std::wstring(kFileBufferLength, L'\0');
    record.nMaxFileTitle = kFileBufferLength;
    record.lpstrInitialDir = startDir;
    if (!Title.empty()) {
        record.lpstrTitle = Title;
    }
    return record;
}

bool FileDlg::Ask(bool save, platform::OpenFileRecord& record) {
    try {
        return save ? dialogs_.SaveFileDialog(record) : dialogs_.OpenFileDialog(record);
    } catch (const platform::PathTooLong&) {
        PathTooLong = true;
        return false;
    }
}

std::wstring FileDlg::Chosen(bool chosen, const platform::OpenFileRecord& record) {
    if (!chosen) {
        Cancel = true;
        return {};
    }
    Filename = platform::TrimNull(record.lpstrFile.value_or(L""));
    return Filename;
}

std::wstring FileDlg::ShowOpen(std::intptr_t lngHWnd, const std::wstring& strFilter,
                               const std::wstring& strDefDir) {
    platform::OpenFileRecord record = FileRecord(lngHWnd, strFilter, strDefDir);
    // A caller's own flags replace the existence checks.
    record.Flags =
        (Flags == 0 ? platform::kPathAndFileMustExist : Flags) | platform::kExplorerHideReadOnly;
    return Chosen(Ask(false, record), record);
}

std::wstring FileDlg::ShowSave(std::intptr_t lngHWnd, const std::wstring& strFilter,
                               const std::wstring& strDefDir) {
    platform::OpenFileRecord record = FileRecord(lngHWnd, strFilter, strDefDir);
    record.hInstance = process_.InstanceHandle();
    record.Flags = Flags | platform::kExplorerHideReadOnly;
    record.lpstrDefExt = L"";
    return Chosen(Ask(true, record), record);
}

std::wstring FileDlg::ShowDir(std::intptr_t lngHWnd, const std::wstring& strDefDir,
                              [[maybe_unused]] std::uint32_t Flag) {
    Cancel = false;
    FileDlgMod::SetBrowseInitDir(strDefDir);

    platform::BrowseRecord record;
    record.hwndOwner = lngHWnd;
    record.lpszTitle = platform::CurrentTexts().browseFolder;
    record.ulFlags = platform::kFileSystemFoldersOnly;
    if (!FileDlgMod::BrowseInitDir().empty()) {
        record.lpfn = &FileDlgMod::BrowseCallbackProc;
    }

    std::unique_ptr<platform::FolderItem> item;
    platform::IgnoreErrors([&] { item = dialogs_.BrowseFolder(record); });
    if (!item) {
        Cancel = true;
        return {};
    }
    std::wstring path;
    platform::IgnoreErrors([&] { path = dialogs_.PathFromItem(*item); });
    return platform::AddBackslash(platform::TrimNull(path));
}

}  // namespace settings_ui
