#include <gtest/gtest.h>

#include "fake_dialogs.h"
#include "fake_platform.h"
#include "settings_ui/file_dlg.h"
#include "settings_ui/file_dlg_mod.h"

namespace {

using settings_ui::FileDlg;

class ShowDirTest : public ::testing::Test {
  public:
    ShowDirTest() { FileDlgMod::SetBrowseInitDir(L""); }
    ~ShowDirTest() override { FileDlgMod::SetBrowseInitDir(L""); }

  protected:
    fake::Log log;
    fake::Process process{log};
    fake::FileSystem files;
    fake::Dialogs dialogs;
    FileDlg dlg{dialogs, files, process};
};

TEST_F(ShowDirTest, FillsTheBrowseRecordAndSelectsTheStartFolder) {
    dialogs.chosenFolder = L"C:\\Users\\user\\Pictures";
    dlg.ShowDir(0x1f2e, L"C:\\Users\\user\\Pictures", 0x40);

    ASSERT_EQ(dialogs.browses.size(), 1U);
    const platform::BrowseRecord& record = dialogs.browses.back();
    EXPECT_EQ(record.hwndOwner, 0x1f2e);
    EXPECT_EQ(record.pidlRoot, 0);
    EXPECT_EQ(record.pszDisplayName, std::nullopt);
    EXPECT_EQ(record.lpszTitle, L"フォルダを選択してください。");
    // Flag has no effect: the browser only ever offers file-system folders.
    EXPECT_EQ(record.ulFlags, 1U);
    EXPECT_EQ(record.lpfn, &FileDlgMod::BrowseCallbackProc);
    EXPECT_EQ(record.lParam, 0);
    EXPECT_EQ(record.iImage, 0);

    EXPECT_EQ(FileDlgMod::BrowseInitDir(), L"C:\\Users\\user\\Pictures");
    // Once, on the window's ready notification, not on the selection change after it.
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].window, dialogs.browserWindow);
    EXPECT_EQ(dialogs.messages[0].message, 1127U);
    EXPECT_EQ(dialogs.messages[0].wParam, -1);
    EXPECT_EQ(dialogs.messages[0].text, L"C:\\Users\\user\\Pictures");
}

TEST_F(ShowDirTest, WithoutAStartFolderTheBrowserHasNoCallback) {
    FileDlgMod::SetBrowseInitDir(L"C:\\from an earlier browser");
    dialogs.chosenFolder = L"C:\\Temp";
    EXPECT_EQ(dlg.ShowDir(0, L"", 0), L"C:\\Temp\\");
    ASSERT_EQ(dialogs.browses.size(), 1U);
    EXPECT_EQ(dialogs.browses.back().lpfn, nullptr);
    EXPECT_EQ(FileDlgMod::BrowseInitDir(), L"");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ShowDirTest, ChosenFolderComesBackWithOneTrailingBackslash) {
    const struct {
        std::wstring pathBuffer;
        std::wstring expected;
    } cases[] = {
        {L"C:\\Users\\user\\Pictures", L"C:\\Users\\user\\Pictures\\"},
        {L"D:\\", L"D:\\"},
        {L"\\\\server\\share\\写真", L"\\\\server\\share\\写真\\"},
        // A virtual folder, such as the printers, has no file-system path.
        {L"", L"\\"},
        {L"C:\\Temp" + std::wstring(250, L'\0'), L"C:\\Temp\\"},
        // Deeper than the 256 characters the browser's answer once had room for.
        {L"C:\\" + std::wstring(300, L'深'), L"C:\\" + std::wstring(300, L'深') + L"\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(fake::Narrow(c.expected));
        dlg.Cancel = true;
        dlg.Filename = L"C:\\untouched.png";
        dialogs.chosenFolder = c.pathBuffer;
        EXPECT_EQ(dlg.ShowDir(0, L"C:\\", 0), c.expected);
        EXPECT_FALSE(dlg.Cancel);
        EXPECT_EQ(dlg.Filename, L"C:\\untouched.png");
    }
}

TEST_F(ShowDirTest, CancelAndFailuresNeverRaise) {
    const struct {
        const char* what;
        std::optional<std::wstring> chosen;
        bool failBrowse;
        bool failPath;
        const wchar_t* expected;
        bool cancel;
    } cases[] = {
        {"cancelled", std::nullopt, false, false, L"", true},
        {"browser failed", L"C:\\Temp", true, false, L"", true},
        {"no path for the item", L"C:\\Temp", false, true, L"\\", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dlg.Filename = L"C:\\untouched.png";
        dialogs.chosenFolder = c.chosen;
        dialogs.failBrowse = c.failBrowse;
        dialogs.failPath = c.failPath;
        EXPECT_EQ(dlg.ShowDir(0, L"C:\\Temp", 0), c.expected);
        EXPECT_EQ(dlg.Cancel, c.cancel);
        EXPECT_EQ(dlg.Filename, L"C:\\untouched.png");
    }
}

TEST_F(ShowDirTest, SecondCallAfterACancelStartsNotCancelled) {
    dlg.ShowDir(0, L"", 0);
    ASSERT_TRUE(dlg.Cancel);
    std::optional<bool> cancelWhileOpen;
    dialogs.whileOpen = [&] { cancelWhileOpen = dlg.Cancel; };
    dialogs.chosenFolder = L"C:\\Temp";
    EXPECT_EQ(dlg.ShowDir(0, L"", 0), L"C:\\Temp\\");
    EXPECT_EQ(cancelWhileOpen, false);
    EXPECT_FALSE(dlg.Cancel);
}

TEST_F(ShowDirTest, StartFolderIsSharedByEveryFileDlg) {
    FileDlg other{dialogs, files, process};
    dialogs.chosenFolder = L"C:\\Temp";
    dlg.ShowDir(0, L"C:\\Windows", 0);
    EXPECT_EQ(FileDlgMod::BrowseInitDir(), L"C:\\Windows");
    other.ShowDir(0, L"E:\\音楽", 0);
    EXPECT_EQ(FileDlgMod::BrowseInitDir(), L"E:\\音楽");
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.messages[1].text, L"E:\\音楽");
}

TEST_F(ShowDirTest, CallbackSelectsOnlyWhenTheBrowserIsReadyAndAlwaysReturnsZero) {
    FileDlgMod::SetBrowseInitDir(L"C:\\Users");
    const struct {
        unsigned message;
        bool sends;
    } cases[] = {
        {0, false}, {1, true}, {2, false},  // selection changed
        {3, false},                         // an invalid name typed
        {4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        dialogs.messages.clear();
        EXPECT_EQ(FileDlgMod::BrowseCallbackProc(dialogs, 0x77, c.message, 0x55, 0x66), 0);
        ASSERT_EQ(dialogs.messages.size(), c.sends ? 1U : 0U);
        if (c.sends) {
            EXPECT_EQ(dialogs.messages[0].window, 0x77);
            EXPECT_EQ(dialogs.messages[0].message, 1127U);
            EXPECT_EQ(dialogs.messages[0].wParam, -1);
            EXPECT_EQ(dialogs.messages[0].text, L"C:\\Users");
        }
    }
}

}  // namespace
