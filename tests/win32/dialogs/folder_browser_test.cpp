#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "../folder_tree.h"
#include "dialog_fixture.h"
#include "dialog_user.h"
#include "platform/text.h"
#include "settings_ui/file_dlg_mod.h"

namespace {

// The names of the tree's selected item and of the item above it.
struct Selection {
    std::wstring item;
    std::wstring parent;
};

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    DWORD_PTR done = 0;
    SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query), SMTO_ABORTIFHUNG,
                        5000, &done);
    return text;
}

HTREEITEM NextItem(HWND tree, WPARAM which, HTREEITEM from) {
    DWORD_PTR item = 0;
    SendMessageTimeoutW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from),
                        SMTO_ABORTIFHUNG, 5000, &item);
    return reinterpret_cast<HTREEITEM>(item);  // NOLINT(performance-no-int-to-ptr)
}

Selection SelectionOf(HWND tree) {
    HTREEITEM selected = NextItem(tree, TVGN_CARET, nullptr);
    if (selected == nullptr) {
        return {};
    }
    return {ItemText(tree, selected), ItemText(tree, NextItem(tree, TVGN_PARENT, selected))};
}

std::wstring LastName(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }
std::wstring ParentOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

class FolderBrowserTest : public DialogTest {
  public:
    FolderBrowserTest() { FileDlgMod::SetBrowseInitDir(L""); }
    ~FolderBrowserTest() override { FileDlgMod::SetBrowseInitDir(L""); }

  protected:
    // Opens the browser on `start`, waits until the selection is `start`'s folder, reads it
    // and the prompt, then presses the button.
    std::wstring Browse(const std::wstring& start, int button) {
        DialogUser user([&](HWND dialog) {
            owned = GetWindow(dialog, GW_OWNER);
            prompt = win32::ControlText(FindChild(dialog, L"Static", 14146));
            HWND tree = FindChild(dialog, L"SysTreeView32");
            if (tree != nullptr && !start.empty()) {
                WaitFor(
                    [&] {
                        selection = SelectionOf(tree);
                        return selection.item == LastName(start) &&
                               selection.parent == LastName(ParentOf(start));
                    },
                    10000);
            }
            Press(dialog, button);
        });
        std::wstring result = dlg.ShowDir(Owner(), start, 0);
        failures = user.Finish();
        return result;
    }

    HWND owned = nullptr;
    std::wstring prompt;
    Selection selection;
    std::string failures;
};

TEST_F(FolderBrowserTest, OpensOnTheStartFolderAndReturnsIt) {
    const FolderTree folder(Folder(), {Name(L"写真フォルダ", L"pictures")});
    ASSERT_TRUE(folder.Complete());
    const std::wstring result = Browse(folder.Deepest(), IDOK);
    ASSERT_EQ(failures, "");
    EXPECT_EQ(owned, owner.Get());
    EXPECT_EQ(Utf8(prompt), "フォルダを選択してください。");
    EXPECT_EQ(Utf8(selection.item), Utf8(LastName(folder.Deepest())));
    EXPECT_EQ(Utf8(selection.parent), Utf8(LastName(Folder())));
    EXPECT_EQ(Utf8(result), Utf8(folder.Deepest() + L"\\"));
    EXPECT_FALSE(dlg.Cancel);
}

TEST_F(FolderBrowserTest, DeepFolderComesBackWhole) {
    const FolderTree deep(Folder(), DeepFolderNames());
    ASSERT_TRUE(deep.Complete());
    const std::wstring result = Browse(deep.Deepest(), IDOK);
    ASSERT_EQ(failures, "");
    EXPECT_EQ(Utf8(selection.item), Utf8(LastName(deep.Deepest())));
    EXPECT_EQ(Utf8(selection.parent), Utf8(LastName(ParentOf(deep.Deepest()))));
    EXPECT_EQ(Utf8(result), Utf8(deep.Deepest() + L"\\"));
}

TEST_F(FolderBrowserTest, CancelGivesNothingWithOrWithoutAStartFolder) {
    const FolderTree folder(Folder(), {L"start"});
    for (const std::wstring& start : {folder.Deepest(), std::wstring()}) {
        SCOPED_TRACE(Utf8(start));
        dlg.Filename = L"kept.png";
        EXPECT_EQ(Browse(start, IDCANCEL), L"");
        ASSERT_EQ(failures, "");
        EXPECT_TRUE(dlg.Cancel);
        EXPECT_EQ(dlg.Filename, L"kept.png");
        EXPECT_EQ(Utf8(FileDlgMod::BrowseInitDir()), Utf8(start));
    }
}

TEST_F(FolderBrowserTest, DisplayNameBufferComesBackFilled) {
    const FolderTree folder(Folder(), {Name(L"音楽", L"music")});
    FileDlgMod::SetBrowseInitDir(folder.Deepest());
    platform::BrowseRecord record;
    record.pszDisplayName = std::wstring(MAX_PATH, L'\0');
    record.ulFlags = 1;
    record.lpfn = &FileDlgMod::BrowseCallbackProc;
    DialogUser user([&](HWND dialog) {
        HWND tree = FindChild(dialog, L"SysTreeView32");
        WaitFor([&] { return SelectionOf(tree).item == LastName(folder.Deepest()); }, 10000);
        Press(dialog, IDOK);
    });
    const std::unique_ptr<platform::FolderItem> item = dialogs.BrowseFolder(record);
    ASSERT_EQ(user.Finish(), "");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Utf8(dialogs.PathFromItem(*item)), Utf8(folder.Deepest()));
    ASSERT_TRUE(record.pszDisplayName.has_value());
    // Windows writes the folder's name there, Wine its whole path.
    EXPECT_EQ(Utf8(LastName(platform::TrimNull(*record.pszDisplayName))),
              Utf8(LastName(folder.Deepest())));
}

}  // namespace
