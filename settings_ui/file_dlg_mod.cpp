#include "settings_ui/file_dlg_mod.h"

namespace FileDlgMod {
namespace {

std::wstring& BrowseInitDirState() {
    static std::wstring path;
    return path;
}

}  // namespace

const std::wstring& BrowseInitDir() { return BrowseInitDirState(); }

void SetBrowseInitDir(const std::wstring& path) { BrowseInitDirState() = path; }

int BrowseCallbackProc(platform::CommonDialogs& dialogs, std::intptr_t hwnd, unsigned uMsg,
                       std::intptr_t /*lp*/, std::intptr_t /*pData*/) {
    if (uMsg == platform::kBrowserReady) {
        dialogs.SendBrowserMessage(hwnd, platform::kBrowserSelectPath, -1, BrowseInitDir());
    }
    return 0;
}

}  // namespace FileDlgMod
