#include "app/main.h"

#include "app/forms.h"
#include "config/settings.h"
#include "platform/text.h"

namespace app {

RunMode SelectRunMode(const std::wstring& commandLine) {
    const std::wstring mode = platform::LowerCase(commandLine);
    if (mode == L"/start") {
        return RunMode::Start;
    }
    if (mode == L"/test") {
        return RunMode::Test;
    }
    return RunMode::Settings;
}

void Main(platform::Platform& os) {
    config::LoadSettings(os);
    switch (SelectRunMode(os.process.CommandLine())) {
        case RunMode::Start:
            if (os.process.PreviousInstance()) {
                os.process.EndProgram();
            }
            TheByeWindow(os);
            return;
        case RunMode::Test:
            // The unload raises the close handler, which runs the show and ends the program.
            TheByeWindow(os).Unload();
            return;
        case RunMode::Settings:
            ShowSettings(os);
            return;
    }
}

void ShowSettings(platform::Platform& os) { TheSetting(os).Show(); }

}  // namespace app
