#include "config/shortcut.h"

#include <memory>
#include <utility>

#include "platform/text.h"

namespace config {
namespace {

constexpr std::intptr_t kNoWindow = 0;

// The shortcut is first written to a file of its own in the user's temporary folder, so that
// nothing of the user's is overwritten and a read-only current directory does not matter.
// The file is removed on every path out.
class TempFile {
  public:
    explicit TempFile(platform::FileSystem& files) : files_(files), path_(files.CreateTempFile()) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!path_.empty()) {
            platform::IgnoreErrors([this] { files_.RemoveFile(path_); });
        }
    }

    const std::wstring& Path() const { return path_; }
    // Removes it now; a failure is the caller's, and no second try follows.
    void Remove() { files_.RemoveFile(std::exchange(path_, {})); }

  private:
    platform::FileSystem& files_;
    std::wstring path_;
};

void WriteShortcut(const ShortcutPlatform& os, const std::wstring& strLinkPath,
                   const std::wstring& strTarget, const std::wstring& strWorkDir,
                   const std::wstring& strArgs, const std::wstring& strIconPath, int lngIconIndex,
                   int lngShowCmd, int lngHotkey) {
    const std::unique_ptr<platform::ShellLink> link = os.shell.CreateShellLink();
    link->SetPath(strTarget);
    if (!strWorkDir.empty()) {
        link->SetWorkingDirectory(strWorkDir);
    }
    if (!strArgs.empty()) {
        link->SetArguments(strArgs);
    }
    if (!strIconPath.empty()) {
        link->SetIconLocation(strIconPath, lngIconIndex);
    }
    link->SetHotkey(lngHotkey);
    link->SetShowCmd(lngShowCmd);
    link->Resolve(kNoWindow, platform::kResolveUpdatesLink);

    TempFile temp(os.files);
    link->Save(temp.Path());
    os.files.CopyOver(temp.Path(), strLinkPath);
    temp.Remove();
}

}  // namespace

std::wstring SpecialFolder(platform::Shell& shell, int lngCsidl) {
    return platform::AddBackslash(shell.SpecialFolderPath(lngCsidl));
}

std::wstring GetSpecialFolder(platform::Shell& shell, int lngCsidl) {
    try {
        return SpecialFolder(shell, lngCsidl);
    } catch (const platform::Error&) {
        return {};
    }
}

void ShowShortcutError(const ShortcutPlatform& os, const platform::Error& error) {
    platform::IgnoreErrors([&] {
        os.messages.ShowMessage(error.Description(), os.process.Title(), platform::kWarningStyle);
    });
}

bool CreateShortcut(const ShortcutPlatform& os, const std::wstring& strLinkPath,
                    const std::wstring& strTarget, const std::wstring& strWorkDir,
                    const std::wstring& strArgs, const std::wstring& strIconPath, int lngIconIndex,
                    int lngShowCmd, int lngHotkey) {
    if (strTarget.empty() || strLinkPath.empty()) {
        return false;
    }
    try {
        WriteShortcut(os, strLinkPath, strTarget, strWorkDir, strArgs, strIconPath, lngIconIndex,
                      lngShowCmd, lngHotkey);
        return true;
    } catch (const platform::Error& error) {
        // The link object and the temporary file are gone by now: the box may stay open long.
        ShowShortcutError(os, error);
        return false;
    }
}

}  // namespace config
