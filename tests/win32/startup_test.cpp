#include <windows.h>
// After windows.h, whose types they use.
#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdint>
#include <set>
#include <string>

#include "config/startup.h"
#include "message_box_watcher.h"
#include "platform/text.h"
#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/com_ptr.h"
#include "platform/win32/settings_ui/common_dialogs.h"
#include "platform/win32/files/file_lookup.h"
#include "platform/win32/files/file_system.h"
#include "platform/win32/settings_ui/message_dialog.h"
#include "platform/win32/session/process.h"
#include "platform/win32/files/shell.h"
#include "platform/win32/base/win32_error.h"
#include "temp_dir.h"

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::set<std::wstring> TempFolderEntries() {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.insert(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return names;
}

// The fields of a shortcut file as the shell's link object reads them back.
struct LinkFields {
    std::wstring path;
    std::wstring directory;
    std::wstring arguments;
    std::wstring iconPath;
    int iconIndex = -1;
    WORD hotkey = 0xFFFF;
};

// The show command as the file holds it. The link object reads every value but 3 and 7 back
// as 1 (normal), so only the file tells whether 0 (hidden) was written.
std::uint32_t StoredShowCommand(const std::wstring& file) {
    constexpr std::uint64_t kShowCommandOffset = 0x3C;
    const auto bytes = win32::FileSystem().ReadBytes(file, kShowCommandOffset, 4);
    EXPECT_EQ(bytes.size(), 4U);
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

LinkFields ReadShortcut(const std::wstring& file) {
    win32::ComPtr<IShellLinkW> link;
    win32::Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.PutVoid()));
    win32::ComPtr<IPersistFile> persist;
    win32::Check(link->QueryInterface(IID_IPersistFile, persist.PutVoid()));
    win32::Check(persist->Load(file.c_str(), STGM_READ));
    LinkFields fields;
    wchar_t text[MAX_PATH] = {};
    // The target as the shell resolves it, by the link's item list: Wine keeps the path of
    // the link's location block in the ANSI code page only.
    PIDLIST_ABSOLUTE items = nullptr;
    win32::Check(link->GetIDList(&items));
    const win32::ItemIdList owned(items);
    win32::Check(SHGetPathFromIDListW(owned.Get(), text) ? S_OK : E_FAIL);
    fields.path = text;
    win32::Check(link->GetWorkingDirectory(text, MAX_PATH));
    fields.directory = text;
    win32::Check(link->GetArguments(text, MAX_PATH));
    fields.arguments = text;
    win32::Check(link->GetIconLocation(text, MAX_PATH, &fields.iconIndex));
    fields.iconPath = text;
    win32::Check(link->GetHotkey(&fields.hotkey));
    return fields;
}

// Clears a shortcut (or a folder of its name) away, whatever its attributes.
void RemoveEntry(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(path.c_str())) {
        RemoveDirectoryW(path.c_str());
    }
}

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = config::GetSpecialFolder(shell_, platform::kStartupFolder);
        ASSERT_FALSE(folder_.empty());
        shortcut_ = folder_ + L"Kestro.lnk";
        RemoveEntry(shortcut_);
    }
    void TearDown() override { RemoveEntry(shortcut_); }

    const win32::ComApartment apartment_;
    win32::Shell shell_;
    win32::FileSystem files_;
    win32::MessageDialog messages_;
    win32::FileLookup lookup_;
    win32::Process process_{L""};
    config::ShortcutPlatform os_{shell_, files_, messages_, process_};
    std::wstring folder_;
    std::wstring shortcut_;
};

TEST_F(StartupTest, StartupFolderIsTheUsersOwnWithABackslash) {
    const std::wstring expected =
        EnvironmentValue(L"APPDATA") + L"\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";
    EXPECT_EQ(Lower(folder_), Lower(expected));
    const DWORD attributes = GetFileAttributesW(folder_.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0U);
    EXPECT_EQ(config::ShortcutPath(shell_), shortcut_);
}

TEST_F(StartupTest, ShellGivesNoFolderForAnUnknownNumber) {
    EXPECT_EQ(config::GetSpecialFolder(shell_, 0x7F), L"");
    EXPECT_THROW(config::SpecialFolder(shell_, 0x7F), platform::Error);
}

TEST_F(StartupTest, RegisterWritesTheShortcutThatStartsTheProgram) {
    const auto before = TempFolderEntries();
    EXPECT_FALSE(config::Registered(shell_, lookup_));
    ASSERT_TRUE(config::Register(os_));
    EXPECT_TRUE(config::Registered(shell_, lookup_));

    const std::wstring directory = platform::AddBackslash(process_.AppPath());
    const LinkFields fields = ReadShortcut(shortcut_);
    const std::wstring target = directory + process_.ExeName() + L".exe";
    EXPECT_EQ(fields.path, target);
    EXPECT_EQ(fields.directory, directory);
    EXPECT_EQ(fields.arguments, L"/start");
    // No icon of its own: Windows leaves the field empty, Wine's Resolve fills in the target.
    EXPECT_TRUE(fields.iconPath.empty() || fields.iconPath == target) << fields.iconPath;
    EXPECT_EQ(fields.iconIndex, 0);
    EXPECT_EQ(fields.hotkey, 0);
    EXPECT_EQ(StoredShowCommand(shortcut_), static_cast<std::uint32_t>(SW_HIDE));
    EXPECT_EQ(TempFolderEntries(), before);
}

TEST_F(StartupTest, RegisterRewritesAndUnregisterRemoves) {
    {
        TempDir dir;  // a scratch file to put in the shortcut's place
        dir.Write(L"junk", "not a shortcut");
        ASSERT_TRUE(CopyFileW(dir.File(L"junk").c_str(), shortcut_.c_str(), FALSE));
    }
    ASSERT_TRUE(config::Register(os_));
    EXPECT_EQ(ReadShortcut(shortcut_).arguments, L"/start");

    config::Unregister(shell_, files_);
    EXPECT_EQ(GetFileAttributesW(shortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(config::Registered(shell_, lookup_));
    EXPECT_NO_THROW(config::Unregister(shell_, files_));
}

TEST_F(StartupTest, OnlyANormalFileCountsAsRegistered) {
    ASSERT_TRUE(config::Register(os_));
    const struct {
        DWORD attributes;
        bool registered;
    } cases[] = {
        {FILE_ATTRIBUTE_HIDDEN, false},  {FILE_ATTRIBUTE_SYSTEM, false},
        {FILE_ATTRIBUTE_READONLY, true}, {FILE_ATTRIBUTE_ARCHIVE, true},
        {FILE_ATTRIBUTE_NORMAL, true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SetFileAttributesW(shortcut_.c_str(), c.attributes));
        EXPECT_EQ(config::Registered(shell_, lookup_), c.registered) << c.attributes;
    }
    RemoveEntry(shortcut_);
    ASSERT_TRUE(CreateDirectoryW(shortcut_.c_str(), nullptr));
    EXPECT_FALSE(config::Registered(shell_, lookup_));
}

TEST_F(StartupTest, FailedWriteShowsTheErrorAndLeavesNoTemporaryFile) {
    // Tests run with every right, so a folder in the shortcut's place makes the copy fail.
    ASSERT_TRUE(CreateDirectoryW(shortcut_.c_str(), nullptr));
    const auto before = TempFolderEntries();
    MessageBoxWatcher watcher(GetCurrentThreadId());
    EXPECT_FALSE(config::Register(os_));
    watcher.Stop();

    EXPECT_EQ(watcher.Seen(), 1);
    EXPECT_EQ(watcher.Title(), L"Kestro");
    EXPECT_EQ(watcher.Text(), win32::ErrorFromCode(ERROR_ACCESS_DENIED).Description());
    EXPECT_EQ(TempFolderEntries(), before);
    EXPECT_NE(GetFileAttributesW(shortcut_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0U);
}

// Points the user's Startup folder elsewhere for the life of the scope, as a redirected
// profile does, and puts the old value back.
class RedirectedStartup {
  public:
    explicit RedirectedStartup(const std::wstring& folder) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof old_;
        hadOld_ = RegQueryValueExW(key_, L"Startup", nullptr, &type_, reinterpret_cast<BYTE*>(old_),
                                   &size) == ERROR_SUCCESS;
        Set(REG_EXPAND_SZ, folder.c_str(), folder.size());
    }
    RedirectedStartup(const RedirectedStartup&) = delete;
    RedirectedStartup& operator=(const RedirectedStartup&) = delete;
    ~RedirectedStartup() {
        if (hadOld_) {
            Set(type_, old_, wcslen(old_));
        } else {
            RegDeleteValueW(key_, L"Startup");
        }
        RegCloseKey(key_);
    }

  private:
    static constexpr wchar_t kKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    void Set(DWORD type, const wchar_t* value, std::size_t length) const {
        RegSetValueExW(key_, L"Startup", 0, type, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((length + 1) * sizeof(wchar_t)));
    }

    HKEY key_ = nullptr;
    bool hadOld_ = false;
    DWORD type_ = REG_EXPAND_SZ;
    wchar_t old_[MAX_PATH] = {};
};

TEST(SpecialFolderTest, LongFolderPathComesBackWhole) {
    TempDir dir;
    // Over 128 bytes, and Japanese, as a long user name would make it.
    const std::wstring folder =
        dir.File(L"スタートアップ_" + std::wstring(150, L'x') + L"_フォルダ");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    win32::Shell shell;
    {
        const RedirectedStartup redirected(folder);
        EXPECT_EQ(config::GetSpecialFolder(shell, platform::kStartupFolder), folder + L"\\");
    }
    RemoveDirectoryW(folder.c_str());
    EXPECT_NE(config::GetSpecialFolder(shell, platform::kStartupFolder), folder + L"\\");
}

TEST(MessageDialogTest, ShowsTextAndTitleUntilClosed) {
    const std::wstring text = L"ショートカットを作成できませんでした。";
    MessageBoxWatcher watcher(GetCurrentThreadId());
    win32::MessageDialog messages;
    messages.ShowMessage(text, L"Kestro", 48);
    watcher.Stop();
    EXPECT_EQ(watcher.Seen(), 1);
    EXPECT_EQ(watcher.Title(), L"Kestro");
    EXPECT_EQ(watcher.Text(), text);
}

TEST_F(StartupTest, HangulFoldersComeBackWhole) {
    // A user name and an install folder in Hangul, which no ANSI code page of Japan holds.
    TempDir dir;
    const std::wstring startup = dir.File(L"사용자");
    const std::wstring program = dir.File(L"키스트로\\");
    ASSERT_TRUE(CreateDirectoryW(startup.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(program.c_str(), nullptr));
    dir.Write(L"키스트로\\kestro.exe", "MZ");
    const RedirectedStartup redirected(startup);
    const std::wstring link = config::ShortcutPath(shell_);
    EXPECT_EQ(link, startup + L"\\Kestro.lnk");
    ASSERT_TRUE(config::CreateShortcut(os_, link, program + L"kestro.exe", program, L"/start", L"",
                                       0, SW_HIDE, 0));
    EXPECT_TRUE(config::Registered(shell_, lookup_));
    const LinkFields fields = ReadShortcut(link);
    EXPECT_EQ(fields.path, program + L"kestro.exe");
    EXPECT_EQ(fields.directory, program);
    EXPECT_EQ(fields.arguments, L"/start");
    RemoveEntry(link);
    RemoveEntry(program + L"kestro.exe");
    RemoveDirectoryW(program.c_str());
    RemoveDirectoryW(startup.c_str());
}

}  // namespace
