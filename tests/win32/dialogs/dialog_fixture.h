#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../temp_dir.h"
#include "platform/win32/base/com_apartment.h"
#include "platform/win32/settings_ui/common_dialogs.h"
#include "platform/win32/files/file_system.h"
#include "platform/win32/base/handle.h"
#include "platform/win32/session/process.h"
#include "settings_ui/file_dlg.h"

// A FileDlg over the real dialogs, in a fresh folder, with a window to own the dialogs. The
// dialogs may move the current directory; it is put back afterwards.
class DialogTest : public ::testing::Test {
  public:
    DialogTest()
        : startDirectory(files.CurrentDirectory()),
          owner(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~DialogTest() override { SetCurrentDirectoryW(startDirectory.c_str()); }

  protected:
    // The folder itself, without the trailing backslash.
    std::wstring Folder() const {
        const std::wstring withBackslash = dir.File(L"");
        return withBackslash.substr(0, withBackslash.size() - 1);
    }
    std::intptr_t Owner() const { return reinterpret_cast<std::intptr_t>(owner.Get()); }

    const win32::ComApartment apartment;
    TempDir dir;
    win32::CommonDialogs dialogs;
    win32::FileSystem files;
    win32::Process process{L""};
    const std::wstring startDirectory;
    win32::Window owner;
    settings_ui::FileDlg dlg{dialogs, files, process};
};

// Japanese names where the system is Japanese, as the program's users see them; plain letters
// elsewhere.
inline std::wstring Name(const wchar_t* japanese, const wchar_t* plain) {
    return GetACP() == 932 ? japanese : plain;
}
