#include "app/session_command.h"

#include "app/forms.h"
#include "config/settings.h"
#include "platform/error.h"

namespace app {

void RunSessionCommand(platform::Platform& os, platform::SessionEnd how) {
    using platform::IgnoreErrors;
    // A second command (a double click on the shortcut) leaves the session to the first.
    bool claimed = true;
    IgnoreErrors([&] { claimed = os.session.ClaimCommand(); });
    if (!claimed) {
        os.process.EndProgram();
    }
    // The user asked to end the session: no settings window may stand in the way.
    config::ReadSettings(os);
    if (!config::Settings().MediaFile.empty()) {
        TheByeWindow(os).Present();
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
