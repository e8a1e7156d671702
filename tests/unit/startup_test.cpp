#include "config/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_shell.h"
#include "platform/error.h"

namespace {

const std::wstring kShortcut = std::wstring(fake::kStartupFolder) + L"\\Kestro.lnk";
// Where a Startup folder that cannot be found would have put the shortcut: the current
// directory and the root of the current drive.
const std::wstring kBareShortcuts[] = {L"C:\\Users\\user\\Documents\\Kestro.lnk", L"\\Kestro.lnk",
                                       L"Kestro.lnk"};

void PutFile(fake::ShortcutOs& os, const std::wstring& path) {
    os.store.files[path] = {'o', 'l', 'd'};
}

// With or without a Startup folder, and with or without a shortcut in it.
void Prepare(fake::ShortcutOs& os, bool startupFolder, bool shortcut) {
    if (!startupFolder) {
        os.shell.folders.clear();
    }
    if (shortcut) {
        PutFile(os, kShortcut);
    }
}

TEST(ShortcutPathTest, IsKestroLnkInTheStartupFolder) {
    fake::ShortcutOs os;
    EXPECT_EQ(config::ShortcutPath(os.shell), kShortcut);
    os.shell.folders[7] = L"D:\\Start\\";
    EXPECT_EQ(config::ShortcutPath(os.shell), L"D:\\Start\\Kestro.lnk");
    os.shell.folders.clear();
    EXPECT_THROW(config::ShortcutPath(os.shell), platform::Error);
}

TEST(RegisteredTest, OnlyANormalFileInTheStartupFolderCounts) {
    const struct {
        const char* name;
        bool startupFolder;
        bool shortcut;
        bool notNormal;
        bool bareShortcuts;
        bool expected;
    } cases[] = {
        {"shortcut present", true, true, false, false, true},
        {"no shortcut", true, false, false, false, false},
        {"hidden or system shortcut", true, true, true, false, false},
        {"no Startup folder, shortcuts in the current directory", false, false, false, true, false},
    };
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        Prepare(os, c.startupFolder, c.shortcut);
        if (c.notNormal) {
            os.lookup.notNormal.insert(kShortcut);
        }
        if (c.bareShortcuts) {
            for (const auto& path : kBareShortcuts) {
                PutFile(os, path);
            }
        }
        EXPECT_EQ(config::Registered(os.shell, os.lookup), c.expected) << c.name;
        EXPECT_EQ(os.log, std::vector<std::string>{"SpecialFolderPath 7"}) << c.name;
    }
}

TEST(RegisterTest, WritesTheSettingsWindowsFieldsIntoTheStartupFolder) {
    const struct {
        const wchar_t* appPath;
        std::string contents;
    } cases[] = {
        {L"C:\\Program Files\\Kestro",
         "arguments=/start\ndirectory=C:\\Program Files\\Kestro\\\nhotkey=0\n"
         "path=C:\\Program Files\\Kestro\\kestro.exe\nshow=0\n"},
        {L"D:\\", "arguments=/start\ndirectory=D:\\\nhotkey=0\npath=D:\\kestro.exe\nshow=0\n"},
        {L"C:\\ツール",
         "arguments=/start\ndirectory=C:\\ツール\\\nhotkey=0\n"
         "path=C:\\ツール\\kestro.exe\nshow=0\n"},
    };
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        os.process.appPath = c.appPath;
        EXPECT_TRUE(config::Register(os.platform)) << fake::Narrow(c.appPath);
        EXPECT_EQ(os.Contents(kShortcut), c.contents);
        EXPECT_TRUE(os.messages.shown.empty());
        EXPECT_TRUE(os.TempFiles().empty());
        EXPECT_EQ(os.store.files.size(), 1U);
    }
}

TEST(RegisterTest, RewritesAShortcutThatIsThere) {
    fake::ShortcutOs os;
    PutFile(os, kShortcut);
    EXPECT_TRUE(config::Register(os.platform));
    EXPECT_NE(os.Contents(kShortcut), "old");
    EXPECT_TRUE(os.messages.shown.empty());
}

TEST(RegisterTest, WithoutAStartupFolderShowsTheShellsErrorAndWritesNothing) {
    fake::ShortcutOs os;
    os.shell.folders.clear();
    EXPECT_FALSE(config::Register(os.platform));
    EXPECT_EQ(os.log,
              (std::vector<std::string>{"SpecialFolderPath 7",
                                        "ShowMessage The system cannot find the path specified."}));
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].title, L"Kestro");
    EXPECT_EQ(os.messages.shown[0].style, 48);
    EXPECT_TRUE(os.store.files.empty());
}

TEST(RegisterTest, AFailedWriteIsShownOnce) {
    fake::ShortcutOs os;
    os.store.failing.insert("CopyOver");
    EXPECT_FALSE(config::Register(os.platform));
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].text, L"failed: CopyOver");
    EXPECT_TRUE(os.store.files.empty());
}

TEST(UnregisterTest, DeletesTheShortcutAndPassesOverWhatFails) {
    const struct {
        const char* name;
        bool startupFolder;
        bool shortcut;
        bool removeFails;
        std::vector<std::string> log;
    } cases[] = {
        {"shortcut present",
         true,
         true,
         false,
         {"SpecialFolderPath 7", "RemoveFile " + fake::Narrow(kShortcut)}},
        {"no shortcut",
         true,
         false,
         false,
         {"SpecialFolderPath 7", "RemoveFile " + fake::Narrow(kShortcut)}},
        {"deletion refused",
         true,
         true,
         true,
         {"SpecialFolderPath 7", "RemoveFile " + fake::Narrow(kShortcut)}},
        {"no Startup folder", false, false, false, {"SpecialFolderPath 7"}},
    };
    for (const auto& c : cases) {
        fake::ShortcutOs os;
        Prepare(os, c.startupFolder, c.shortcut);
        for (const auto& path : kBareShortcuts) {
            PutFile(os, path);
        }
        if (c.removeFails) {
            os.store.failing.insert("RemoveFile");
        }
        EXPECT_NO_THROW(config::Unregister(os.shell, os.files)) << c.name;
        EXPECT_EQ(os.log, c.log) << c.name;
        EXPECT_EQ(os.store.FileExists(kShortcut), c.removeFails) << c.name;
        for (const auto& path : kBareShortcuts) {
            EXPECT_TRUE(os.store.FileExists(path)) << c.name;
        }
        EXPECT_TRUE(os.messages.shown.empty()) << c.name;
    }
}

}  // namespace
