#include "config/startup.h"

#include "platform/error.h"
#include "platform/text.h"

namespace config {
namespace {

constexpr int kNoIconIndex = 0;
constexpr int kShowHidden = 0;
constexpr int kNoHotkey = 0;

}  // namespace

std::wstring ShortcutPath(platform::Shell& shell) {
    return SpecialFolder(shell, platform::kStartupFolder) + kShortcutName;
}

bool Registered(platform::Shell& shell, const platform::FileLookup& lookup) {
    const std::wstring folder = GetSpecialFolder(shell, platform::kStartupFolder);
    return !folder.empty() && lookup.NormalFileExists(folder + kShortcutName);
}

bool Register(const ShortcutPlatform& os) {
    std::wstring linkPath;
    try {
        linkPath = ShortcutPath(os.shell);
    } catch (const platform::Error& error) {
        ShowShortcutError(os, error);
        return false;
    }
    const std::wstring directory = platform::AddBackslash(os.process.AppPath());
    return CreateShortcut(os, linkPath, directory + os.process.ExeName() + L".exe", directory,
                          kStartArgument, L"", kNoIconIndex, kShowHidden, kNoHotkey);
}

void Unregister(platform::Shell& shell, platform::FileSystem& files) {
    const std::wstring folder = GetSpecialFolder(shell, platform::kStartupFolder);
    if (!folder.empty()) {
        platform::IgnoreErrors([&] { files.RemoveFile(folder + kShortcutName); });
    }
}

}  // namespace config
