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
    static const std::array<std::pair<const wchar_t*, RunMode>, 8> kArguments = {{
        {L"/start", RunMode::Start},
        {L"/test", RunMode::Test},
        {L"/shutdown", RunMode::ShutDown},
        {L"/restart", RunMode::Restart},
        {L"/logoff", RunMode::LogOff},
        {kCommandShowArgument, RunMode::CommandShow},
        {kSignOutShowArgument, RunMode::SignOutShow},
        {kSignInShowArgument, RunMode::SignInShow},
    }};
    const std::wstring argument = platform::LowerCase(commandLine);
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

namespace {

// The moment whose show a show process runs, when the process that starts such shows asked for
// it: a command holding its claim, or the waiting instance's offer, which only one takes.
std::optional<config::Moment> AskedShow(platform::Platform& os, RunMode mode) {
    bool asked = false;
    switch (mode) {
        case RunMode::CommandShow:
        case RunMode::SignOutShow:
            platform::IgnoreErrors([&] { asked = os.session.CommandClaimed(); });
            break;
        case RunMode::SignInShow:
            platform::IgnoreErrors([&] { asked = os.session.TakeSignInShow(); });
            break;
        default:
            return std::nullopt;
    }
    if (!asked) {
        return std::nullopt;
    }
    if (mode == RunMode::SignInShow) {
        return config::Moment::SignIn;
    }
    return mode == RunMode::SignOutShow ? config::Moment::SignOut : config::Moment::ShutDown;
}

bool IsShowProcess(RunMode mode) {
    return mode == RunMode::CommandShow || mode == RunMode::SignOutShow ||
           mode == RunMode::SignInShow;
}

// The sign-in show, when a file is set for it, in a process of its own that runs beside the
// waiting window; the window's close handler ends it first.
void StartSignInShow(platform::Platform& os, show::ByeWindow& window) {
    if (config::Settings().LogonFile.empty()) {
        return;
    }
    // Decoding and playing happen in the show process: waiting costs what it cost before.
    platform::IgnoreErrors([&] {
        os.session.OfferSignInShow();
        os.showProcess.Launch(kSignInShowArgument);
        window.EndFirst();
    });
}

}  // namespace

void Main(platform::Platform& os) {
    RunMode mode = SelectRunMode(os.process.CommandLine());
    if (const auto how = SessionCommand(mode)) {
        RunSessionCommand(os, *how);
        return;
    }
    if (IsShowProcess(mode)) {
        if (const auto moment = AskedShow(os, mode)) {
            auto& window = TheByeWindow(os);
            window.Serve(*moment);
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
            StartSignInShow(os, TheByeWindow(os));
            return;
        case RunMode::Test:
            // Nothing to show: the settings window stays open for the user to choose a file.
            if (config::Settings().MediaFile.empty()) {
                ShowSettings(os);
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
