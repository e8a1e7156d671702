#include "app/main.h"

#include <array>
#include <optional>
#include <utility>

#include "app/forms.h"
#include "app/session_command.h"
#include "config/language.h"
#include "config/logon_task.h"
#include "config/settings.h"
#include "platform/error.h"
#include "platform/text.h"
#include "show/moments.h"

namespace app {

RunMode SelectRunMode(const std::wstring& commandLine) {
    static const std::array<std::pair<const wchar_t*, RunMode>, 7> kArguments = {{
        {L"/start", RunMode::Start},
        {L"/kestro-wait", RunMode::Wait},
        {L"/kestro-remove-task", RunMode::RemoveTask},
        {L"/test", RunMode::Test},
        {L"/shutdown", RunMode::ShutDown},
        {L"/restart", RunMode::Restart},
        {L"/logoff", RunMode::LogOff},
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

// The process that starts a moment's show asked for it: a command holding its claim, or the
// waiting instance's offer, which only one takes.
bool Asked(platform::Platform& os, const show::MomentRow& row) {
    bool asked = false;
    platform::IgnoreErrors([&] {
        asked = row.starter == show::Starter::Command ? os.session.CommandClaimed()
                                                      : os.session.TakeShowOffer();
    });
    return asked;
}

// "/start" and "/kestro-wait": the hidden window waits for the end of the session. Only the
// start at sign-in has the sign-in show, not a start by the installer.
void WaitForTheEnd(platform::Platform& os, bool signIn) {
    if (os.process.PreviousInstance()) {
        os.process.EndProgram();
    }
    // Asked early, Kestro's show starts before other programs are asked to close.
    platform::IgnoreErrors([&] { os.session.AskFirstAtSessionEnd(); });
    platform::IgnoreErrors([&] { os.session.ListenForCommand(); });
    auto& window = TheByeWindow(os);
    platform::IgnoreErrors([&] { window.WaitForLocks(); });
    if (signIn) {
        window.ShowBeside(show::Moment::SignIn);
    }
}

// The settings file of the settings window's test, when the command line is its argument:
// the argument, a blank, and the path in double quotes.
std::optional<std::wstring> TrialSettingsFile(const std::wstring& commandLine) {
    const std::wstring prefix = std::wstring(config::kTrialArgument) + L" \"";
    if (commandLine.size() <= prefix.size() + 1 || commandLine.back() != L'"' ||
        platform::LowerCase(commandLine.substr(0, prefix.size())) != prefix) {
        return std::nullopt;
    }
    return commandLine.substr(prefix.size(), commandLine.size() - prefix.size() - 1);
}

}  // namespace

void Main(platform::Platform& os) {
    const std::wstring commandLine = os.process.CommandLine();
    const RunMode mode = SelectRunMode(commandLine);
    // The uninstaller's step: no settings read, no window, whatever kestro.ini holds.
    if (mode == RunMode::RemoveTask) {
        config::UnregisterLogonTask(os.signIn);
        return;
    }
    config::ChooseLanguage(os);
    if (const auto trial = TrialSettingsFile(commandLine)) {
        // The test show runs as "/test" runs it, with the values as the user typed them.
        config::UseTrialSettings(*trial);
        config::ReadSettings(os);
        TheByeWindow(os).Unload();
        return;
    }
    if (const auto* row = show::RowOfShowArgument(commandLine); row != nullptr && Asked(os, *row)) {
        TheByeWindow(os).Serve(row->moment);
        return;
    }
    if (const auto how = SessionCommand(mode)) {
        RunSessionCommand(os, *how);
        return;
    }
    LoadSettings(os);
    switch (mode) {
        case RunMode::Start:
        case RunMode::Wait:
            WaitForTheEnd(os, mode == RunMode::Start);
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

void LoadSettings(platform::Platform& os) {
    config::ReadSettings(os);
    const auto& values = config::Settings();
    if (values.MediaFile.empty() && values.LogonFile.empty() && values.LogoffFile.empty() &&
        values.LockFile.empty() && values.UnlockFile.empty()) {
        platform::IgnoreErrors([&] { ShowSettings(os); });
    }
}

void ShowSettings(platform::Platform& os) { TheSetting(os).Show(); }

}  // namespace app
