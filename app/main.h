#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace app {

enum class RunMode {
    Start,     // "/start": wait hidden for the end of the Windows session
    Test,      // "/test": run the exit show at once
    ShutDown,  // "/shutdown": the exit show, then shut down
    Restart,   // "/restart": the exit show, then restart
    LogOff,    // "/logoff": the exit show, then log off
    Settings,  // anything else: the settings window
    // The shows in processes of their own; not for users: without a command of the same
    // executable waiting for it, or the waiting instance's offer for the sign-in show, the
    // settings window opens instead.
    CommandShow,  // of "/shutdown" and "/restart"
    SignOutShow,  // of "/logoff"
    SignInShow,   // started by "/start"
};

// The arguments with which a session command and the waiting instance start their shows.
inline constexpr wchar_t kCommandShowArgument[] = L"/kestro-command-show";
inline constexpr wchar_t kSignOutShowArgument[] = L"/kestro-sign-out-show";
inline constexpr wchar_t kSignInShowArgument[] = L"/kestro-sign-in-show";

// The argument text lower-cased and compared whole: no trimming, no further parsing.
RunMode SelectRunMode(const std::wstring& commandLine);

// How a run mode ends the session: only Kestro's own end-of-session commands do.
std::optional<platform::SessionEnd> SessionCommand(RunMode mode);

// The start procedure, called once when the process starts.
void Main(platform::Platform& os);

// Creates the settings window if it is not loaded, and shows it modeless.
void ShowSettings(platform::Platform& os);

}  // namespace app
