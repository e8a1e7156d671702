#include "platform/win32/files/shell.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include "platform/text.h"
#include "platform/win32/base/buffer.h"
#include "platform/win32/files/item_id_list.h"
#include "platform/win32/files/shell_link.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {

static_assert(platform::kStartupFolder == CSIDL_STARTUP);

std::wstring Shell::SpecialFolderPath(int csidl) {
    PIDLIST_ABSOLUTE raw = nullptr;
    const HRESULT result = SHGetSpecialFolderLocation(nullptr, csidl, &raw);
    const ItemIdList items(raw);
    // Only whether an item came back counts: the result's code describes a missing one.
    if (!items) {
        throw ErrorFromCode(static_cast<DWORD>(FAILED(result) ? result : E_FAIL));
    }
    std::wstring buffer(kFullPathLength, L'\0');
    if (!SHGetPathFromIDListEx(items.Get(), buffer.data(), kFullPathLength, GPFIDL_DEFAULT)) {
        // A virtual folder (the control panel, the printers) has no path of its own.
        throw ErrorFromCode(ERROR_PATH_NOT_FOUND);
    }
    return platform::TrimNull(buffer);
}

std::unique_ptr<platform::ShellLink> Shell::CreateShellLink() {
    return std::make_unique<ShellLink>();
}

}  // namespace win32
