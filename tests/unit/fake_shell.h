#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/shortcut.h"
#include "fake_platform.h"
#include "platform/file_lookup.h"
#include "platform/message_dialog.h"
#include "platform/shell.h"

// Stand-ins for the shortcut's platform: the shell, its link objects, the file operations
// and the message box write into one log, so that a test sees the order of every step.
namespace fake {

class Shell;

class ShellLink final : public platform::ShellLink {
  public:
    ShellLink(Shell& shell, Log& log, FileSystem& store);
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;
    ~ShellLink() override;

    void SetPath(const std::wstring& path) override;
    void SetWorkingDirectory(const std::wstring& directory) override;
    void SetArguments(const std::wstring& arguments) override;
    void SetIconLocation(const std::wstring& path, int index) override;
    void SetHotkey(int hotkey) override;
    void SetShowCmd(int showCmd) override;
    void Resolve(std::intptr_t window, std::uint32_t flags) override;
    // Writes the fields that were set, one "name=value" line each, as the file's bytes.
    void Save(const std::wstring& fileName) override;

  private:
    void Call(const std::string& name, const std::string& arguments);

    Shell& shell_;
    Log& log_;
    FileSystem& store_;
    std::map<std::string, std::string> fields_;
};

class Shell final : public platform::Shell {
  public:
    Shell(Log& log, FileSystem& store) : log_(log), store_(store) {}

    // CSIDL number -> path; any other number gives no item.
    std::map<int, std::wstring> folders;
    // Failing operations: "CreateShellLink" or a link method's name ("SetPath", "Save", ...).
    std::set<std::string> failing;
    // Link objects not released yet.
    int liveLinks = 0;

    std::wstring SpecialFolderPath(int csidl) override;
    std::unique_ptr<platform::ShellLink> CreateShellLink() override;

    void FailIfAsked(const std::string& name) const;

  private:
    Log& log_;
    FileSystem& store_;
};

// The stand-in file system with its shortcut operations logged before they run.
class LoggedFiles final : public platform::FileSystem {
  public:
    LoggedFiles(Log& log, FileSystem& store) : log_(log), store_(store) {}

    bool FileExists(const std::wstring& path) const override { return store_.FileExists(path); }
    std::vector<std::uint8_t> ReadBytes(const std::wstring& path, std::uint64_t offset,
                                        std::size_t count) const override {
        return store_.ReadBytes(path, offset, count);
    }
    std::wstring CurrentDirectory() const override { return store_.CurrentDirectory(); }
    void CopyOver(const std::wstring& from, const std::wstring& to) override;
    void RemoveFile(const std::wstring& path) override;
    std::wstring CreateTempFile() override;

  private:
    Log& log_;
    FileSystem& store_;
};

struct Message {
    std::wstring text;
    std::wstring title;
    int style = 0;
};

class MessageDialog final : public platform::MessageDialog {
  public:
    explicit MessageDialog(Log& log) : log_(log) {}

    std::vector<Message> shown;
    bool fail = false;

    void ShowMessage(const std::wstring& text, const std::wstring& title, int style) override;

  private:
    Log& log_;
};

// Files of the stand-in file system count, except those the test marks as not normal
// (hidden, system).
class FileLookup final : public platform::FileLookup {
  public:
    explicit FileLookup(const FileSystem& store) : store_(store) {}

    std::set<std::wstring> notNormal;

    bool NormalFileExists(const std::wstring& path) const override {
        return store_.FileExists(path) && notNormal.count(path) == 0;
    }

  private:
    const FileSystem& store_;
};

inline constexpr wchar_t kStartupFolder[] =
    L"C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";

// A fresh platform for the shortcut, with the user's Startup folder known to the shell.
struct ShortcutOs {
    ShortcutOs() { shell.folders[7] = kStartupFolder; }

    Log log;
    FileSystem store;
    LoggedFiles files{log, store};
    Shell shell{log, store};
    MessageDialog messages{log};
    FileLookup lookup{store};
    Process process{log};
    config::ShortcutPlatform platform{shell, files, messages, process};

    // Files left in the user's temporary folder.
    std::vector<std::wstring> TempFiles() const;
    // The fields of a shortcut file that a link object saved, one "name=value" line each.
    std::string Contents(const std::wstring& path) const;
};

}  // namespace fake
