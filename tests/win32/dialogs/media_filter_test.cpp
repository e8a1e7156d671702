#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <set>
#include <string>

#include "dialog_fixture.h"
#include "dialog_user.h"
#include "settings_ui/setting.h"

namespace {

constexpr int kFileTypes = 1136;

// The names the dialog's file list shows, asked from the dialog's own thread.
std::set<std::wstring> ListedNames(HWND dialog) {
    std::set<std::wstring> names;
    HWND list = FindChild(dialog, L"SysListView32");
    if (list == nullptr) {
        return names;
    }
    const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH] = {};
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        names.insert(text);
    }
    return names;
}

using MediaFilterTest = DialogTest;

TEST_F(MediaFilterTest, TheFirstEntryListsEveryFileTheShowTakes) {
    constexpr const wchar_t* kShown[] = {L"a.gif", L"b.wav", L"c.jpeg", L"d.heic"};
    for (const auto* name : kShown) {
        dir.Write(name, "x");
    }
    dir.Write(L"e.txt", "x");
    std::wstring fileType;
    std::set<std::wstring> listed;
    DialogUser user([&](HWND dialog) {
        WaitFor([&] { return ListedNames(dialog).size() >= 4; }, 10000);
        fileType = win32::ControlText(FindChild(dialog, L"ComboBox", kFileTypes));
        listed = ListedNames(dialog);
        Press(dialog, IDCANCEL);
    });
    dlg.ShowOpen(Owner(), settings_ui::MediaFilter(), Folder());
    ASSERT_EQ(user.Finish(), "");
    if (GetACP() == 932) {
        EXPECT_EQ(Utf8(fileType), Utf8(L"利用できるファイル"));
    }
    // Windows may hide known endings in the list.
    std::string seen;
    for (const auto& name : listed) {
        seen += Utf8(name) + " ";
    }
    for (const auto* name : kShown) {
        const std::wstring bare = std::wstring(name).substr(0, 1);
        EXPECT_TRUE(listed.count(name) == 1 || listed.count(bare) == 1)
            << Utf8(name) << ": " << seen;
    }
    EXPECT_EQ(listed.size(), 4U) << seen;
}

}  // namespace
