#include "app/session_command.h"

#include "app/show_bounds.h"
#include "config/settings.h"
#include "platform/error.h"
#include "show/moments.h"
#include "show/timed_wait.h"

namespace app {
namespace {

constexpr unsigned kTurnMilliseconds = 100;

// Runs the show in a process of its own and returns once that process has gone, whatever it
// did: ended, crashed, could not start, or was ended here for running past its bounds. Only a
// close request from another program (an installer taking Kestro away) ends the command
// instead, with its show and without ending the session.
void RunShowProcess(platform::Platform& os, const std::wstring& argument,
                    const ShowBounds& bounds) {
    auto& show = os.showProcess;
    try {
        show.Start(argument);
    } catch (const platform::Error&) {
        return;
    }
    show::SteadyClock clock(os.process);
    const float started = clock.Now();
    float answered = started;
    for (;;) {
        const bool ended = show.WaitForEnd(kTurnMilliseconds);
        if (show.CloseRequested()) {
            platform::IgnoreErrors([&] { show.End(); });
            os.process.EndProgram();
        }
        if (ended) {
            return;
        }
        const float now = clock.Now();
        if (bounds.silence && show.Answers()) {
            answered = now;
        }
        if (Overdue(bounds, now - started, now - answered)) {
            platform::IgnoreErrors([&] { show.End(); });
            return;
        }
    }
}

}  // namespace

void RunSessionCommand(platform::Platform& os, platform::SessionEnd how) {
    using platform::IgnoreErrors;
    // A second command (a double click on the shortcut) leaves the session to the first.
    bool claimed = true;
    IgnoreErrors([&] { claimed = os.session.ClaimCommand(); });
    if (!claimed) {
        os.process.EndProgram();
    }
    // One show at a time: a sign-in or test show still running ends before the command's.
    IgnoreErrors([&] { os.showProcess.EndOtherShows(); });
    // The user asked to end the session: no settings window may stand in the way. The media
    // file itself is opened only by the show process.
    config::ReadSettings(os);
    const auto& row = show::RowOf(show::MomentOfEnd(how));
    const auto& file = show::FileFor(config::Settings(), row.moment);
    if (!file.empty()) {
        const auto& sound = show::SoundFor(config::Settings(), row.moment);
        RunShowProcess(os, row.showArgument, BoundsFor(file, sound, config::Settings()));
    }
    IgnoreErrors([&] { os.session.AnnounceCommand(); });
    try {
        os.session.EndSession(how);
    } catch (const platform::Error& error) {
        // The session goes on, and with it the waiting instance's show.
        IgnoreErrors([&] { os.session.WithdrawCommand(); });
        IgnoreErrors([&] {
            os.messages.ShowMessage(error.Description(), os.process.Title(),
                                    platform::kWarningStyle);
        });
    }
    os.process.EndProgram();
}

}  // namespace app
