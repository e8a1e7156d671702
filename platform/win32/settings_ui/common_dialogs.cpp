#include "platform/win32/settings_ui/common_dialogs.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <cderr.h>
#include <commdlg.h>

#include <exception>
#include <optional>

#include "platform/win32/base/buffer.h"
#include "platform/win32/base/com_apartment.h"

namespace win32 {
namespace {

// The constants the program puts into the records, as Windows defines them.
static_assert(platform::kPathAndFileMustExist == (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
static_assert(platform::kExplorerHideReadOnly == (OFN_EXPLORER | OFN_HIDEREADONLY));
static_assert(platform::kFileSystemFoldersOnly == BIF_RETURNONLYFSDIRS);
static_assert(platform::kBrowserReady == BFFM_INITIALIZED);
static_assert(platform::kBrowserSelectPath == BFFM_SETSELECTIONW);
// The classic record's size is that of 32-bit Windows; a 64-bit build lays it out larger.
static_assert(sizeof(void*) != 4 ||
              platform::kClassicOpenFileRecordSize == OPENFILENAME_SIZE_VERSION_400W);

// Handles and addresses come from the program's records as numbers.
template <typename Pointer>
Pointer FromNumber(std::intptr_t number) {
    return reinterpret_cast<Pointer>(number);  // NOLINT(performance-no-int-to-ptr)
}

// The copy of one text field that the platform gets: an absent text stays a null pointer. A
// buffer the platform writes into keeps at least the size the record gives it.
class TextField {
  public:
    explicit TextField(const std::optional<std::wstring>& text, std::size_t minimumSize = 0)
        : text_(text) {
        if (text_ && text_->size() < minimumSize) {
            text_->resize(minimumSize, L'\0');
        }
    }

    // For a NUL-separated list: one more NUL ends it even when the caller's text does not,
    // so the platform never reads past the copy.
    static TextField List(const std::optional<std::wstring>& text, std::size_t minimumSize = 0) {
        TextField list(text, minimumSize);
        if (list.text_) {
            list.text_->push_back(L'\0');
        }
        return list;
    }

    wchar_t* Get() { return text_ ? text_->data() : nullptr; }

    void CopyBackTo(std::optional<std::wstring>& text) const {
        if (text_) {
            text = text_;
        }
    }

  private:
    std::optional<std::wstring> text_;
};

// The platform's copy of an OPENFILENAME record for one call.
class OpenFileName {
  public:
    explicit OpenFileName(const platform::OpenFileRecord& record)
        : filter_(TextField::List(record.lpstrFilter)),
          customFilter_(TextField::List(record.lpstrCustomFilter, record.nMaxCustFilter)),
          file_(record.lpstrFile, record.nMaxFile),
          fileTitle_(record.lpstrFileTitle, record.nMaxFileTitle),
          initialDir_(record.lpstrInitialDir),
          title_(record.lpstrTitle),
          defExt_(record.lpstrDefExt),
          templateName_(record.lpTemplateName) {
        // The size of the record as this build lays it out: the platform checks the size
        // against the layouts it knows, and the classic 76 bytes are the 32-bit layout.
        ofn_.lStructSize = sizeof ofn_;
        ofn_.hwndOwner = FromNumber<HWND>(record.hwndOwner);
        ofn_.hInstance = FromNumber<HINSTANCE>(record.hInstance);
        ofn_.lpstrFilter = filter_.Get();
        ofn_.lpstrCustomFilter = customFilter_.Get();
        ofn_.nMaxCustFilter = record.nMaxCustFilter;
        ofn_.nFilterIndex = record.nFilterIndex;
        ofn_.lpstrFile = file_.Get();
        ofn_.nMaxFile = record.nMaxFile;
        ofn_.lpstrFileTitle = fileTitle_.Get();
        ofn_.nMaxFileTitle = record.nMaxFileTitle;
        ofn_.lpstrInitialDir = initialDir_.Get();
        ofn_.lpstrTitle = title_.Get();
        ofn_.Flags = record.Flags;
        ofn_.nFileOffset = record.nFileOffset;
        ofn_.nFileExtension = record.nFileExtension;
        ofn_.lpstrDefExt = defExt_.Get();
        ofn_.lCustData = record.lCustData;
        ofn_.lpTemplateName = templateName_.Get();
    }
    OpenFileName(const OpenFileName&) = delete;
    OpenFileName& operator=(const OpenFileName&) = delete;

    OPENFILENAMEW* Get() { return &ofn_; }

    // The buffers the platform writes into.
    void CopyBackTo(platform::OpenFileRecord& record) const {
        customFilter_.CopyBackTo(record.lpstrCustomFilter);
        file_.CopyBackTo(record.lpstrFile);
        fileTitle_.CopyBackTo(record.lpstrFileTitle);
    }

  private:
    TextField filter_;
    TextField customFilter_;
    TextField file_;
    TextField fileTitle_;
    TextField initialDir_;
    TextField title_;
    TextField defExt_;
    TextField templateName_;
    OPENFILENAMEW ofn_{};
};

template <typename Call>
bool RunFileDialog(platform::OpenFileRecord& record, Call call) {
    OpenFileName ofn(record);
    const BOOL chosen = call(ofn.Get());
    ofn.CopyBackTo(record);
    if (chosen == FALSE && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        throw platform::PathTooLong(L"The chosen path does not fit the file buffer.");
    }
    return chosen != FALSE;
}

// What the browser's callback needs to reach the program's: the shell hands it one number.
struct BrowseContext {
    platform::BrowseCallback callback;
    platform::CommonDialogs& dialogs;
    std::intptr_t data;
    std::exception_ptr error;
};

int CALLBACK BrowseCallbackTrampoline(HWND window, UINT message, LPARAM lParam, LPARAM data) {
    auto& context = *FromNumber<BrowseContext*>(data);
    // No exception may unwind through the shell's frames: it is raised again once the
    // browser has returned.
    try {
        return context.callback(context.dialogs, reinterpret_cast<std::intptr_t>(window), message,
                                lParam, context.data);
    } catch (...) {
        if (!context.error) {
            context.error = std::current_exception();
        }
        return 0;
    }
}

}  // namespace

bool CommonDialogs::OpenFileDialog(platform::OpenFileRecord& record) {
    return RunFileDialog(record, [](OPENFILENAMEW* ofn) { return GetOpenFileNameW(ofn); });
}

bool CommonDialogs::SaveFileDialog(platform::OpenFileRecord& record) {
    return RunFileDialog(record, [](OPENFILENAMEW* ofn) { return GetSaveFileNameW(ofn); });
}

std::unique_ptr<platform::FolderItem> CommonDialogs::BrowseFolder(platform::BrowseRecord& record) {
    // The browser's tree is made of shell objects, which need the thread in an apartment.
    const ComApartment apartment;
    TextField displayName(record.pszDisplayName, MAX_PATH);
    TextField title(record.lpszTitle);
    BrowseContext context{record.lpfn, *this, record.lParam, nullptr};

    BROWSEINFOW info{};
    info.hwndOwner = FromNumber<HWND>(record.hwndOwner);
    info.pidlRoot = FromNumber<PCIDLIST_ABSOLUTE>(record.pidlRoot);
    info.pszDisplayName = displayName.Get();
    info.lpszTitle = title.Get();
    info.ulFlags = record.ulFlags;
    if (record.lpfn != nullptr) {
        info.lpfn = &BrowseCallbackTrampoline;
        info.lParam = reinterpret_cast<LPARAM>(&context);
    } else {
        info.lParam = record.lParam;
    }

    ItemIdList item(SHBrowseForFolderW(&info));
    displayName.CopyBackTo(record.pszDisplayName);
    record.iImage = info.iImage;
    if (context.error) {
        std::rethrow_exception(context.error);
    }
    if (!item) {
        return nullptr;
    }
    return std::make_unique<FolderItem>(std::move(item));
}

std::wstring CommonDialogs::PathFromItem(const platform::FolderItem& item) {
    const ComApartment apartment;
    // SHGetPathFromIDListW has room for MAX_PATH characters only, so a deep folder would come
    // back cut; this call takes the buffer's length.
    std::wstring path(kFullPathLength, L'\0');
    if (!SHGetPathFromIDListEx(dynamic_cast<const FolderItem&>(item).Get(), path.data(),
                               kFullPathLength, GPFIDL_DEFAULT)) {
        return {};
    }
    path.resize(wcslen(path.c_str()));
    return path;
}

std::intptr_t CommonDialogs::SendBrowserMessage(std::intptr_t window, unsigned message,
                                                std::intptr_t wParam, const std::wstring& text) {
    return SendMessageW(FromNumber<HWND>(window), message, static_cast<WPARAM>(wParam),
                        reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace win32
