#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace app {

enum class RunMode {
    Start,     // "/start": the sign-in show, and wait hidden for the end of the Windows session
    Wait,      // "/kestro-wait": wait as "/start" does, without the sign-in show (the installer
               // starts the waiting Kestro again with it)
    Test,      // "/test": run the exit show at once
    ShutDown,  // "/shutdown": the exit show, then shut down
    Restart,   // "/restart": the exit show, then restart
    LogOff,    // "/logoff": the sign-out show, then log off
    Settings,  // anything else: the settings window

    // "/kestro-remove-task": deletes the user's logon task. The uninstaller runs it: only the
    // program knows the task's name.
    RemoveTask,
};

// The argument text lower-cased and compared whole: no trimming, no further parsing. The shows'
// own arguments (show/moments.h) are read before it.
RunMode SelectRunMode(const std::wstring& commandLine);

// How a run mode ends the session: only Kestro's own end-of-session commands do.
std::optional<platform::SessionEnd> SessionCommand(RunMode mode);

// The start procedure, called once when the process starts.
void Main(platform::Platform& os);

// Reads the settings file, and opens the settings window when no file is set for any moment.
void LoadSettings(platform::Platform& os);

// Creates the settings window if it is not loaded, and shows it modeless.
void ShowSettings(platform::Platform& os);

}  // namespace app
