#include "config/shortcut.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_shell.h"
#include "platform/error.h"

namespace {

const std::wstring kLink = L"C:\\Startup\\Kestro.lnk";
const std::string kTemp = "C:\\Users\\user\\AppData\\Local\\Temp\\kes1.tmp";

bool CreateFull(fake::ShortcutOs& os) {
    return config::CreateShortcut(os.platform, kLink, L"C:\\App\\kestro.exe", L"C:\\App\\",
                                  L"/start", L"C:\\App\\kestro.ico", 3, 7, 0x641);
}

// Every step of a shortcut with all fields given, as the stand-ins log them.
const std::vector<std::string> kFullSteps = {
    "CreateShellLink",
    "Link.SetPath C:\\App\\kestro.exe",
    "Link.SetWorkingDirectory C:\\App\\",
    "Link.SetArguments /start",
    "Link.SetIconLocation C:\\App\\kestro.ico 3",
    "Link.SetHotkey 1601",
    "Link.SetShowCmd 7",
    "Link.Resolve 0 4",
    "CreateTempFile",
    "Link.Save " + kTemp,
    "CopyOver " + kTemp + " -> C:\\Startup\\Kestro.lnk",
    "RemoveFile " + kTemp,
    "Link.Release",
};

TEST(GetSpecialFolderTest, EndsInOneBackslashOrIsEmptyWithoutAFolder) {
    const std::wstring longFolder = L"C:\\Users\\" + std::wstring(300, L'n') + L"\\Startup";
    const struct {
        const wchar_t* name;
        std::wstring shellPath;
        std::wstring expected;
    } cases[] = {
        {L"plain", L"C:\\Users\\u\\Startup", L"C:\\Users\\u\\Startup\\"},
        {L"already ends in a backslash", L"C:\\Users\\u\\Startup\\", L"C:\\Users\\u\\Startup\\"},
        {L"drive root", L"C:\\", L"C:\\"},
        {L"longer than any fixed buffer", longFolder, longFolder + L"\\"},
    };
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        os.shell.folders[7] = c.shellPath;
        EXPECT_EQ(config::GetSpecialFolder(os.shell, 7), c.expected) << fake::Narrow(c.name);
        EXPECT_EQ(config::SpecialFolder(os.shell, 7), c.expected) << fake::Narrow(c.name);
    }

    fake::ShortcutOs os;
    EXPECT_EQ(config::GetSpecialFolder(os.shell, 0x31), L"");
    try {
        config::SpecialFolder(os.shell, 0x31);
        ADD_FAILURE() << "a missing folder must throw";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.Description(), L"The system cannot find the path specified.");
    }
}

TEST(CreateShortcutTest, RunsEveryStepInOrderAndLeavesOnlyTheShortcut) {
    fake::ShortcutOs os;
    os.store.files[kLink] = {'o', 'l', 'd'};
    EXPECT_TRUE(CreateFull(os));
    EXPECT_EQ(os.log, kFullSteps);
    EXPECT_EQ(os.Contents(kLink),
              "arguments=/start\ndirectory=C:\\App\\\nhotkey=1601\n"
              "icon=C:\\App\\kestro.ico,3\npath=C:\\App\\kestro.exe\nshow=7\n");
    EXPECT_TRUE(os.messages.shown.empty());
    EXPECT_TRUE(os.TempFiles().empty());
    EXPECT_EQ(os.shell.liveLinks, 0);
}

TEST(CreateShortcutTest, EmptyTextsLeaveTheirFieldsUnset) {
    const struct {
        const wchar_t* workDir;
        const wchar_t* args;
        const wchar_t* iconPath;
        std::vector<std::string> setters;
    } cases[] = {
        {L"", L"", L"", {"SetPath", "SetHotkey", "SetShowCmd"}},
        {L"",
         L"/start",
         L"i.ico",
         {"SetPath", "SetArguments", "SetIconLocation", "SetHotkey", "SetShowCmd"}},
        {L"C:\\App\\",
         L"",
         L"i.ico",
         {"SetPath", "SetWorkingDirectory", "SetIconLocation", "SetHotkey", "SetShowCmd"}},
        // An icon index without an icon path sets no icon.
        {L"C:\\App\\",
         L"/start",
         L"",
         {"SetPath", "SetWorkingDirectory", "SetArguments", "SetHotkey", "SetShowCmd"}},
    };
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        EXPECT_TRUE(config::CreateShortcut(os.platform, kLink, L"C:\\App\\kestro.exe", c.workDir,
                                           c.args, c.iconPath, 5, 0, 0));
        std::vector<std::string> setters;
        for (const auto& line : os.log) {
            if (line.rfind("Link.Set", 0) == 0) {
                setters.push_back(line.substr(5, line.find(' ') - 5));
            }
        }
        EXPECT_EQ(setters, c.setters) << fake::Narrow(c.workDir) << "|" << fake::Narrow(c.args)
                                      << "|" << fake::Narrow(c.iconPath);
        EXPECT_TRUE(os.messages.shown.empty());
    }
}

TEST(CreateShortcutTest, EachFailingStepEndsTheSequenceWithOneMessage) {
    const struct {
        const char* step;
        bool fileSystem;  // the stand-in file system fails it, not the link object
        // The last step that runs, as logged, and the clean-up after it.
        std::ptrdiff_t lastStep;
        std::vector<std::string> cleanUp;
    } cases[] = {
        {"CreateShellLink", false, 0, {}},
        {"SetPath", false, 1, {"Link.Release"}},
        {"SetWorkingDirectory", false, 2, {"Link.Release"}},
        {"SetArguments", false, 3, {"Link.Release"}},
        {"SetIconLocation", false, 4, {"Link.Release"}},
        {"SetHotkey", false, 5, {"Link.Release"}},
        {"SetShowCmd", false, 6, {"Link.Release"}},
        {"Resolve", false, 7, {"Link.Release"}},
        {"CreateTempFile", true, 8, {"Link.Release"}},
        {"Save", false, 9, {"RemoveFile " + kTemp, "Link.Release"}},
        {"CopyOver", true, 10, {"RemoveFile " + kTemp, "Link.Release"}},
    };
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        os.store.files[kLink] = {'o', 'l', 'd'};
        (c.fileSystem ? os.store.failing : os.shell.failing).insert(c.step);
        EXPECT_FALSE(CreateFull(os)) << c.step;

        std::vector<std::string> expected(kFullSteps.begin(), kFullSteps.begin() + c.lastStep + 1);
        expected.insert(expected.end(), c.cleanUp.begin(), c.cleanUp.end());
        expected.push_back("ShowMessage failed: " + std::string(c.step));
        EXPECT_EQ(os.log, expected) << c.step;

        ASSERT_EQ(os.messages.shown.size(), 1U) << c.step;
        EXPECT_EQ(fake::Narrow(os.messages.shown[0].text), "failed: " + std::string(c.step));
        EXPECT_EQ(os.messages.shown[0].title, L"Kestro");
        EXPECT_EQ(os.messages.shown[0].style, 48);
        EXPECT_EQ(os.shell.liveLinks, 0) << c.step;
        EXPECT_TRUE(os.TempFiles().empty()) << c.step;
        EXPECT_EQ(os.Contents(kLink), "old") << c.step;
    }
}

TEST(CreateShortcutTest, TemporaryFileThatCannotBeRemovedIsReported) {
    fake::ShortcutOs os;
    os.store.failing.insert("RemoveFile");
    EXPECT_FALSE(CreateFull(os));
    // One try only, and the shortcut itself is in place.
    std::vector<std::string> expected = kFullSteps;
    expected.emplace_back("ShowMessage failed: RemoveFile");
    EXPECT_EQ(os.log, expected);
    EXPECT_EQ(os.messages.shown.size(), 1U);
    EXPECT_TRUE(os.store.FileExists(kLink));
    EXPECT_EQ(os.shell.liveLinks, 0);
}

TEST(CreateShortcutTest, EmptyTargetOrLinkPathDoesNothingAndShowsNothing) {
    const struct {
        const wchar_t* link;
        const wchar_t* target;
    } cases[] = {{L"", L"C:\\App\\kestro.exe"}, {L"C:\\Startup\\Kestro.lnk", L""}, {L"", L""}};
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        EXPECT_FALSE(config::CreateShortcut(os.platform, c.link, c.target, L"C:\\App\\", L"/start",
                                            L"", 0, 0, 0));
        EXPECT_TRUE(os.log.empty());
        EXPECT_TRUE(os.store.files.empty());
    }
}

TEST(CreateShortcutTest, AMessageBoxThatCannotOpenIsNotPassedOn) {
    fake::ShortcutOs os;
    os.shell.failing.insert("Save");
    os.messages.fail = true;
    EXPECT_FALSE(CreateFull(os));
    EXPECT_EQ(os.log.back(), "ShowMessage failed: Save");
    EXPECT_TRUE(os.TempFiles().empty());
}

}  // namespace
