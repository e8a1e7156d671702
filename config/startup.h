#pragma once

#include <string>

#include "config/shortcut.h"
#include "platform/file_lookup.h"
#include "platform/files.h"
#include "platform/shell.h"

// The program starts with the user's Windows session through a shortcut in the user's
// Startup folder that runs it with "/start". These are the settings window's three uses of
// that shortcut. Without a Startup folder there is no shortcut: nothing counts as
// registered, registering fails with a message, and unregistering touches nothing.
namespace config {

inline constexpr wchar_t kShortcutName[] = L"Kestro.lnk";
inline constexpr wchar_t kStartArgument[] = L"/start";

// The Startup folder followed by "Kestro.lnk"; throws platform::Error with the platform's
// description when the shell has no Startup folder.
std::wstring ShortcutPath(platform::Shell& shell);

// A normal file lies at the shortcut path; a hidden or system file or a folder does not count.
bool Registered(platform::Shell& shell, const platform::FileLookup& lookup);

// Writes the shortcut that starts this executable with "/start" in its own directory, hidden;
// rewrites one that exists. A failure is shown in a message box. True when it was written.
bool Register(const ShortcutPlatform& os);

// Deletes the shortcut; a missing one, or one that cannot be deleted, is passed over.
void Unregister(platform::Shell& shell, platform::FileSystem& files);

}  // namespace config
