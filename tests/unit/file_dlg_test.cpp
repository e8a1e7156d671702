#include "settings_ui/file_dlg.h"

#include <gtest/gtest.h>

#include "fake_dialogs.h"
#include "fake_platform.h"
#include "platform/error.h"
#include "settings_ui/file_dlg_mod.h"

namespace {

using settings_ui::FileDlg;

// The open and save dialogs, to run one table over both.
enum class Dialog { Open, Save };

const char* Name(Dialog dialog) { return dialog == Dialog::Open ? "ShowOpen" : "ShowSave"; }

class FileDlgTest : public ::testing::Test {
  public:
    FileDlgTest() { FileDlgMod::SetBrowseInitDir(L""); }
    ~FileDlgTest() override { FileDlgMod::SetBrowseInitDir(L""); }

  protected:
    std::wstring Show(FileDlg& target, Dialog dialog, std::intptr_t owner = 0x1f2e,
                      const std::wstring& filter = L"", const std::wstring& dir = L"") {
        return dialog == Dialog::Open ? target.ShowOpen(owner, filter, dir)
                                      : target.ShowSave(owner, filter, dir);
    }
    const std::vector<platform::OpenFileRecord>& Records(Dialog dialog) const {
        return dialog == Dialog::Open ? dialogs.opens : dialogs.saves;
    }
    const platform::OpenFileRecord& Last(Dialog dialog) const { return Records(dialog).back(); }

    fake::Log log;
    fake::Process process{log};
    fake::FileSystem files;
    fake::Dialogs dialogs;
    FileDlg dlg{dialogs, files, process};
};

constexpr Dialog kBoth[] = {Dialog::Open, Dialog::Save};

TEST_F(FileDlgTest, StartsEmptyAndNotCancelled) {
    EXPECT_FALSE(dlg.Cancel);
    EXPECT_EQ(dlg.Filename, L"");
    EXPECT_EQ(dlg.Flags, 0U);
    EXPECT_EQ(dlg.Filter, L"");
    EXPECT_EQ(dlg.Title, L"");
}

TEST_F(FileDlgTest, FillsEveryFieldOfTheRecord) {
    const struct {
        Dialog dialog;
        std::intptr_t instance;
        std::optional<std::wstring> defExt;
    } cases[] = {
        {Dialog::Open, 0, std::nullopt},
        {Dialog::Save, 0x400000, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Name(c.dialog));
        FileDlg fresh{dialogs, files, process};
        fresh.Filename = L"夕焼け.png";
        fresh.Title = L"メディアファイルを選択";
        Show(fresh, c.dialog, 0x1f2e, L"画像ファイル|*.bmp;*.jpg;*.png|すべて|*.*|", L"D:\\写真");
        ASSERT_EQ(Records(c.dialog).size(), 1U);
        const platform::OpenFileRecord& record = Last(c.dialog);

        EXPECT_EQ(record.lStructSize, 76U);
        EXPECT_EQ(record.hwndOwner, 0x1f2e);
        EXPECT_EQ(record.hInstance, c.instance);
        EXPECT_EQ(record.lpstrFilter,
                  std::wstring(L"画像ファイル\0*.bmp;*.jpg;*.png\0すべて\0*.*\0", 33));
        EXPECT_EQ(record.lpstrCustomFilter, std::nullopt);
        EXPECT_EQ(record.nMaxCustFilter, 0U);
        EXPECT_EQ(record.nFilterIndex, 1U);
        ASSERT_TRUE(record.lpstrFile.has_value());
        EXPECT_EQ(record.lpstrFile->size(), 256U);
        EXPECT_EQ(*record.lpstrFile, L"夕焼け.png" + std::wstring(249, L'\0'));
        EXPECT_EQ(record.nMaxFile, 256U);
        EXPECT_EQ(record.lpstrFileTitle, std::wstring(256, L'\0'));
        EXPECT_EQ(record.nMaxFileTitle, 256U);
        EXPECT_EQ(record.lpstrInitialDir, L"D:\\写真");
        EXPECT_EQ(record.lpstrTitle, L"メディアファイルを選択");
        EXPECT_EQ(record.nFileOffset, 0U);
        EXPECT_EQ(record.nFileExtension, 0U);
        EXPECT_EQ(record.lpstrDefExt, c.defExt);
        EXPECT_EQ(record.lCustData, 0);
        EXPECT_EQ(record.lpTemplateName, std::nullopt);
    }
}

TEST_F(FileDlgTest, EmptyArgumentsFallBackToFilterAndCurrentDirectory) {
    const struct {
        const wchar_t* filterArgument;
        const wchar_t* dirArgument;
        std::wstring expectedFilter;
        const wchar_t* expectedDir;
    } cases[] = {
        {L"", L"", std::wstring(L"テキスト\0*.txt\0", 11), L"C:\\Users\\user\\Documents"},
        {L"Media|*.avi|", L"", std::wstring(L"Media\0*.avi\0", 12), L"C:\\Users\\user\\Documents"},
        {L"", L"E:\\", std::wstring(L"テキスト\0*.txt\0", 11), L"E:\\"},
        // A text without the closing bar is passed on as it is.
        {L"All|*.*", L"E:\\", std::wstring(L"All\0*.*", 7), L"E:\\"},
    };
    for (const Dialog dialog : kBoth) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(Name(dialog)) + " " + fake::Narrow(c.filterArgument) + " " +
                         fake::Narrow(c.dirArgument));
            dlg.Filter = L"テキスト|*.txt|";
            Show(dlg, dialog, 0, c.filterArgument, c.dirArgument);
            EXPECT_EQ(Last(dialog).lpstrFilter, c.expectedFilter);
            EXPECT_EQ(Last(dialog).lpstrInitialDir, c.expectedDir);
        }
    }
}

TEST_F(FileDlgTest, TitleNeverSetLeavesThePlatformsCaption) {
    for (const Dialog dialog : kBoth) {
        SCOPED_TRACE(Name(dialog));
        Show(dlg, dialog);
        EXPECT_EQ(Last(dialog).lpstrTitle, std::nullopt);
        EXPECT_EQ(*Last(dialog).lpstrFile, std::wstring(256, L'\0'));
        EXPECT_EQ(Last(dialog).lpstrFilter, L"");
    }
}

TEST_F(FileDlgTest, FlagsAddExistenceChecksOnlyToAnOpenWithoutFlagsOfItsOwn) {
    const struct {
        Dialog dialog;
        std::uint32_t property;
        std::uint32_t expected;
    } cases[] = {
        {Dialog::Open, 0, 0x81804},      {Dialog::Open, 0x2, 0x80006},
        {Dialog::Open, 0x1000, 0x81004}, {Dialog::Open, 0x80004, 0x80004},
        {Dialog::Open, 0x200, 0x80204},  {Dialog::Save, 0, 0x80004},
        {Dialog::Save, 0x2, 0x80006},    {Dialog::Save, 0x1800, 0x81804},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Name(c.dialog)) + " " + std::to_string(c.property));
        dlg.Flags = c.property;
        Show(dlg, c.dialog);
        EXPECT_EQ(Last(c.dialog).Flags, c.expected);
        // The dialogs may move the current directory, and that change is meant to stay.
        EXPECT_EQ(Last(c.dialog).Flags & 0x8U, 0U);
        EXPECT_EQ(dlg.Flags, c.property);
    }
}

TEST_F(FileDlgTest, ChosenFileBecomesFilenameAndResult) {
    const struct {
        const wchar_t* initial;
        const wchar_t* chosen;
    } cases[] = {
        {L"", L"C:\\Users\\user\\Pictures\\bye.png"},
        // The platform leaves the rest of a longer initial name after its NUL.
        {L"a much longer initial name than the chosen one.png", L"C:\\b.png"},
        {L"x.avi", L"D:\\動画\\さようなら.avi"},
    };
    for (const Dialog dialog : kBoth) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(Name(dialog)) + " " + fake::Narrow(c.chosen));
            dlg.Filename = c.initial;
            dialogs.chosenFile = c.chosen;
            EXPECT_EQ(Show(dlg, dialog), c.chosen);
            EXPECT_EQ(dlg.Filename, c.chosen);
            EXPECT_FALSE(dlg.Cancel);
        }
    }
}

TEST_F(FileDlgTest, CancelOrFailureKeepsFilename) {
    const struct {
        const char* what;
        std::optional<std::wstring> chosen;
        bool tooLong;
    } cases[] = {
        {"cancelled", std::nullopt, false},
        // The platform refuses a chosen path that does not fit its buffer with its NUL.
        {"path too long", std::wstring(300, L'a'), true},
        {"path of 256", std::wstring(256, L'a'), true},
    };
    for (const Dialog dialog : kBoth) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(Name(dialog)) + " " + c.what);
            dlg.Filename = L"C:\\before.png";
            dlg.PathTooLong = !c.tooLong;
            dialogs.chosenFile = c.chosen;
            EXPECT_EQ(Show(dlg, dialog), L"");
            EXPECT_EQ(dlg.PathTooLong, c.tooLong);
            EXPECT_TRUE(dlg.Cancel);
            EXPECT_EQ(dlg.Filename, L"C:\\before.png");
        }
    }
}

TEST_F(FileDlgTest, SecondCallAfterACancelStartsNotCancelled) {
    for (const Dialog dialog : kBoth) {
        SCOPED_TRACE(Name(dialog));
        dialogs.chosenFile.reset();
        Show(dlg, dialog);
        ASSERT_TRUE(dlg.Cancel);

        std::optional<bool> cancelWhileOpen;
        dialogs.whileOpen = [&] { cancelWhileOpen = dlg.Cancel; };
        dialogs.chosenFile = L"C:\\again.png";
        EXPECT_EQ(Show(dlg, dialog), L"C:\\again.png");
        dialogs.whileOpen = nullptr;
        EXPECT_EQ(cancelWhileOpen, false);
        EXPECT_FALSE(dlg.Cancel);
    }
}

TEST_F(FileDlgTest, FilenameOfMoreThan256CharactersIsRefusedBeforeAnyDialog) {
    for (const Dialog dialog : kBoth) {
        SCOPED_TRACE(Name(dialog));
        dlg.Filename = std::wstring(256, L'n');
        Show(dlg, dialog);
        ASSERT_EQ(Records(dialog).size(), 1U);
        EXPECT_EQ(*Last(dialog).lpstrFile, std::wstring(256, L'n'));

        dlg.Cancel = true;
        dlg.Filename = std::wstring(257, L'n');
        EXPECT_THROW(Show(dlg, dialog), platform::Error);
        EXPECT_EQ(Records(dialog).size(), 1U);
        EXPECT_FALSE(dlg.Cancel);
        EXPECT_EQ(dlg.Filename, std::wstring(257, L'n'));
    }
}

}  // namespace
