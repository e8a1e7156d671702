#pragma once

#include <cstdint>
#include <string>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/message_dialog.h"
#include "platform/process.h"
#include "platform/shell.h"

namespace config {

// What writing a shortcut needs of the platform.
struct ShortcutPlatform {
    platform::Shell& shell;
    platform::FileSystem& files;
    platform::MessageDialog& messages;
    const platform::Process& process;
};

// The special folder's path with a trailing backslash; throws platform::Error with the
// platform's description when the shell has no file-system folder for the number.
std::wstring SpecialFolder(platform::Shell& shell, int lngCsidl);
// The same, with an empty text when the shell has no folder.
std::wstring GetSpecialFolder(platform::Shell& shell, int lngCsidl);

// Shows the error's description in a message box titled with the application's title.
void ShowShortcutError(const ShortcutPlatform& os, const platform::Error& error);

// Writes a shortcut at strLinkPath, replacing one there, through a temporary file of its own
// that is gone again on every path. Empty texts leave the working directory, the arguments
// and the icon unset. True when the file was written. A failure is shown in a message box
// and never passed on; an empty target or link path gives false without a message.
bool CreateShortcut(const ShortcutPlatform& os, const std::wstring& strLinkPath,
                    const std::wstring& strTarget, const std::wstring& strWorkDir,
                    const std::wstring& strArgs, const std::wstring& strIconPath, int lngIconIndex,
                    int lngShowCmd, int lngHotkey);

}  // namespace config
