#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "dialog_user.h"

namespace {

constexpr int kNameBox = 1148;
constexpr int kLookIn = 1137;
constexpr int kFileTypes = 1136;

// What the user saw when the dialog came up.
struct Seen {
    std::wstring caption;
    HWND owner = nullptr;
    std::wstring name;
    std::wstring fileType;
    std::wstring lookIn;
};

Seen Look(HWND dialog) {
    Seen seen;
    seen.caption = win32::ControlText(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.name = win32::ControlText(FindChild(dialog, L"Edit", kNameBox));
    seen.fileType = win32::ControlText(FindChild(dialog, L"ComboBox", kFileTypes));
    seen.lookIn = win32::ControlText(FindChild(dialog, L"ComboBox", kLookIn));
    return seen;
}

// Types the path into the file-name box and presses the OK button.
void Choose(HWND dialog, const std::wstring& path) {
    HWND nameBox = FindChild(dialog, L"Edit", kNameBox);
    ASSERT_NE(nameBox, nullptr) << Describe(dialog);
    TypeInto(nameBox, path);
    ASSERT_TRUE(Press(dialog, IDOK)) << Describe(dialog);
}

// Types a folder's path and presses OK, which opens that folder in the dialog, as a user
// goes to the folder of the file they want; true when the dialog shows it.
bool GoTo(HWND dialog, const std::wstring& folder) {
    HWND nameBox = FindChild(dialog, L"Edit", kNameBox);
    if (nameBox == nullptr) {
        return false;
    }
    TypeInto(nameBox, folder);
    Press(dialog, IDOK);
    const std::wstring name = folder.substr(folder.rfind(L'\\') + 1);
    return WaitFor(
        [&] { return win32::ControlText(FindChild(dialog, L"ComboBox", kLookIn)) == name; }, 10000);
}

using FileDialogTest = DialogTest;

TEST_F(FileDialogTest, OpenReturnsAnExistingFileAndMovesTheCurrentDirectory) {
    // Hangul and an emoji, which no ANSI code page of Japan holds, come back whole.
    const std::wstring startName = L"키스트로";
    CreateDirectoryW(dir.File(startName).c_str(), nullptr);
    const std::wstring picked = dir.File(L"\U0001F305 夕焼け.png");
    dir.Write(picked.substr(picked.rfind(L'\\') + 1), "picture");

    dlg.Title = Name(L"メディアファイルを開く", L"Open a media file");
    dlg.Filename = Name(L"最初の名前.png", L"first name.png");
    dlg.Filter = Name(L"画像ファイル|*.png|すべて|*.*|", L"Pictures|*.png|All|*.*|");
    Seen seen;
    bool wentToTheFolder = false;
    DialogUser user([&](HWND dialog) {
        seen = Look(dialog);
        wentToTheFolder = GoTo(dialog, Folder());
        Choose(dialog, picked.substr(picked.rfind(L'\\') + 1));
    });
    const std::wstring chosen = dlg.ShowOpen(Owner(), L"", dir.File(startName));
    ASSERT_EQ(user.Finish(), "");

    EXPECT_EQ(Utf8(seen.caption), Utf8(dlg.Title));
    EXPECT_EQ(seen.owner, owner.Get());
    EXPECT_EQ(Utf8(seen.name), Utf8(Name(L"最初の名前.png", L"first name.png")));
    EXPECT_EQ(Utf8(seen.fileType), Utf8(Name(L"画像ファイル", L"Pictures")));
    EXPECT_EQ(Utf8(seen.lookIn), Utf8(startName));
    EXPECT_TRUE(wentToTheFolder);

    EXPECT_EQ(Utf8(chosen), Utf8(picked));
    EXPECT_EQ(Utf8(dlg.Filename), Utf8(picked));
    EXPECT_FALSE(dlg.Cancel);
    // The dialog may change the current directory, and the change stays.
    EXPECT_EQ(Utf8(files.CurrentDirectory()), Utf8(Folder()));
}

TEST_F(FileDialogTest, OpenWithoutFlagsRefusesAMissingFile) {
    HWND refusal = nullptr;
    DialogUser user([&](HWND dialog) {
        Choose(dialog, dir.File(L"missing.png"));
        refusal = WaitForAnotherDialog(dialog, 10000);
        if (refusal != nullptr) {
            Press(refusal, IDOK);
        }
        WaitFor([&] { return !IsWindow(refusal); }, 5000);
        Press(dialog, IDCANCEL);
    });
    dlg.Filename = L"kept.png";
    EXPECT_EQ(dlg.ShowOpen(0, L"All|*.*|", Folder()), L"");
    ASSERT_EQ(user.Finish(), "");
    EXPECT_NE(refusal, nullptr);
    EXPECT_TRUE(dlg.Cancel);
    EXPECT_EQ(dlg.Filename, L"kept.png");
}

TEST_F(FileDialogTest, OpenOfAPathLongerThanTheBufferIsRefusedAndSaysSo) {
    // 258 characters with the folder: longer than the buffer, within the system's path limit.
    const std::wstring name = std::wstring(258 - Folder().size() - 1 - 4, L'p') + L".png";
    dir.Write(name, "picture");
    DialogUser user([&](HWND dialog) { Choose(dialog, name); });
    dlg.Filename = L"kept.png";
    EXPECT_EQ(dlg.ShowOpen(0, L"All|*.*|", Folder()), L"");
    ASSERT_EQ(user.Finish(), "");
    EXPECT_TRUE(dlg.Cancel);
    EXPECT_TRUE(dlg.PathTooLong);
    EXPECT_EQ(dlg.Filename, L"kept.png");
}

TEST_F(FileDialogTest, SaveReturnsANewName) {
    const std::wstring name = Name(L"新しい名前.txt", L"new name.txt");
    const std::wstring fileName = dir.File(name);
    Seen seen;
    DialogUser user([&](HWND dialog) {
        seen = Look(dialog);
        Choose(dialog, fileName);
    });
    const std::wstring chosen =
        dlg.ShowSave(Owner(), Name(L"テキスト|*.txt|", L"Text|*.txt|"), Folder());
    ASSERT_EQ(user.Finish(), "");

    EXPECT_EQ(seen.owner, owner.Get());
    EXPECT_EQ(seen.name, L"");
    EXPECT_EQ(Utf8(seen.fileType), Utf8(Name(L"テキスト", L"Text")));
    EXPECT_EQ(Utf8(seen.lookIn), Utf8(Folder().substr(Folder().rfind(L'\\') + 1)));
    EXPECT_EQ(Utf8(chosen), Utf8(fileName));
    EXPECT_EQ(Utf8(dlg.Filename), Utf8(fileName));
    EXPECT_FALSE(dlg.Cancel);
    EXPECT_FALSE(files.FileExists(fileName));
}

TEST_F(FileDialogTest, CancelLeavesFilenameAndTheNextCallStartsAfresh) {
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save ? "save" : "open");
        dlg.Filename = L"kept.png";
        DialogUser cancelling([](HWND dialog) { Press(dialog, IDCANCEL); });
        const std::wstring cancelled = save ? dlg.ShowSave(Owner(), L"All|*.*|", Folder())
                                            : dlg.ShowOpen(Owner(), L"All|*.*|", Folder());
        ASSERT_EQ(cancelling.Finish(), "");
        EXPECT_EQ(cancelled, L"");
        EXPECT_TRUE(dlg.Cancel);
        EXPECT_EQ(dlg.Filename, L"kept.png");

        dir.Write(L"kept.png", "x");
        DialogUser accepting([](HWND dialog) { Press(dialog, IDOK); });
        const std::wstring accepted = save ? dlg.ShowSave(Owner(), L"All|*.*|", Folder())
                                           : dlg.ShowOpen(Owner(), L"All|*.*|", Folder());
        ASSERT_EQ(accepting.Finish(), "");
        EXPECT_EQ(accepted, dir.File(L"kept.png"));
        EXPECT_FALSE(dlg.Cancel);
    }
}

}  // namespace
