#pragma once

#include <cstdint>
#include <string>

#include "platform/common_dialogs.h"

// Beside the file-dialog component: what its folder browser shares across the process.
namespace FileDlgMod {

// The start folder of the current folder browser, shared by every FileDlg of the process;
// empty at the start and until a ShowDir sets it.
const std::wstring& BrowseInitDir();
void SetBrowseInitDir(const std::wstring& path);

// The folder browser's callback: once its window is ready, selects BrowseInitDir in it (the
// word parameter -1 says the long one is a path). Every other notification is ignored.
// Always returns 0.
int BrowseCallbackProc(platform::CommonDialogs& dialogs, std::intptr_t hwnd, unsigned uMsg,
                       std::intptr_t lp, std::intptr_t pData);

}  // namespace FileDlgMod
