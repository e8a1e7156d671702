#pragma once

#include <string>

#include "config/settings.h"
#include "platform/session.h"

namespace show {

// The moments that have a show of their own.
enum class Moment {
    Exit,     // a shut-down or restart, and the test show
    SignIn,   // the start of the session, when the waiting instance begins to wait
    SignOut,  // a log-off
    Lock,     // the waiting instance hears that the session's screen is locked
    Unlock,   // ... and unlocked
};

// Who starts a moment's show process, and so whose word it needs before it shows: typed by
// hand, a show argument is an unknown argument like any other.
enum class Starter {
    Command,  // a session command, which holds its claim while its show runs
    Waiting,  // the waiting instance, which offers the show once
};

struct MomentRow {
    Moment moment;
    // The setting that names the moment's file, and the one used when that is empty.
    std::wstring config::SettingsValues::*file;
    std::wstring config::SettingsValues::*otherwise;
    // The setting that names the sound played with the moment's still picture; null where the
    // moment has none.
    std::wstring config::SettingsValues::*sound;
    // The argument with which the moment's show process is started.
    const wchar_t* showArgument;
    Starter starter;
    // The end of the session ends the show (it runs beside the session, as a test show does);
    // else the end of the session waits for it.
    bool givesWay;
};

const MomentRow& RowOf(Moment moment);

// The row whose show argument the command line is, compared lower-cased and whole; null for
// any other command line.
const MomentRow* RowOfShowArgument(const std::wstring& commandLine);

// The moment at which the session ends this way: a log-off is the sign-out.
Moment MomentOfEnd(platform::SessionEnd how);

// The file shown at the moment; empty when the moment has no show.
const std::wstring& FileFor(const config::SettingsValues& settings, Moment moment);

// The sound played with the moment's still picture; empty when it has none. A moment whose file
// falls back to another moment's takes that moment's sound with it when it has none of its own.
const std::wstring& SoundFor(const config::SettingsValues& settings, Moment moment);

}  // namespace show
