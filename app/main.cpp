#include "app/main.h"

#include <array>
#include <optional>
#include <utility>

#include "app/forms.h"
#include "app/session_command.h"
#include "config/settings.h"
#include "platform/error.h"
#include "platform/text.h"

namespace app {

RunMode SelectRunMode(const std::wstring& commandLine) {
    static const std::array<std::pair<const wchar_t*, RunMode>, 5> kArguments = {{
        {L"/start", RunMode::Start},
        {L"/test", RunMode::Test},
        {L"/shutdown", RunMode::ShutDown},
        {L"/restart", RunMode::Restart},
        {L"/logoff", RunMode::LogOff},
    }};
    const std::wstring argument = platform::LowerCase(commandLine);
    if (argument == kCommandShowArgument) {
        return RunMode::CommandShow;
    }
    for (const auto& [text, mode] : kArguments) {
        if (argument == text) {
            return mode;
        }
    }
    return RunMode::Settings;
}

std::optional<platform::SessionEnd> SessionCommand(RunMode mode) {
    switch (mode) {
        case RunMode::ShutDown:
            return platform::SessionEnd::ShutDown;
        case RunMode::Restart:
            return platform::SessionEnd::Restart;
        case RunMode::LogOff:
            return platform::SessionEnd::LogOff;
        default:
            return std::nullopt;
    }
}

void Main(platform::Platform& os) {
    RunMode mode = SelectRunMode(os.process.CommandLine());
    if (const auto how = SessionCommand(mode)) {
        RunSessionCommand(os, *how);
        return;
    }
    if (mode == RunMode::CommandShow) {
        bool commandWaits = false;
        platform::IgnoreErrors([&] { commandWaits = os.session.CommandClaimed(); });
        if (commandWaits) {
            auto& window = TheByeWindow(os);
            window.ServeCommand();
            window.Unload();
            return;
        }
        // Typed by hand, it is an unknown argument like any other.
        mode = RunMode::Settings;
    }
    config::LoadSettings(os);
    switch (mode) {
        case RunMode::Start:
            if (os.process.PreviousInstance()) {
                os.process.EndProgram();
            }
            // Asked early, Kestro's show starts before other programs are asked to close.
            platform::IgnoreErrors([&] { os.session.AskFirstAtSessionEnd(); });
            platform::IgnoreErrors([&] { os.session.ListenForCommand(); });
            TheByeWindow(os);
            return;
        case RunMode::Test:
            // Nothing to show: the settings window stays open for the user to choose a file.
            if (config::Settings().MediaFile.empty()) {
                return;
            }
            // The unload raises the close handler, which runs the show and ends the program.
            TheByeWindow(os).Unload();
            return;
        default:
            ShowSettings(os);
            return;
    }
}

void ShowSettings(platform::Platform& os) { TheSetting(os).Show(); }

}  // namespace app
