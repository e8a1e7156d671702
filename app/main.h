#pragma once

#include <string>

#include "platform/platform.h"

namespace app {

enum class RunMode {
    Start,     // "/start": wait hidden for the end of the Windows session
    Test,      // "/test": run the exit show at once
    Settings,  // anything else: the settings window
};

// The argument text lower-cased and compared whole: no trimming, no further parsing.
RunMode SelectRunMode(const std::wstring& commandLine);

// The start procedure, called once when the process starts.
void Main(platform::Platform& os);

// Creates the settings window if it is not loaded, and shows it modeless.
void ShowSettings(platform::Platform& os);

}  // namespace app
