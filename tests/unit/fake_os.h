#pragma once

#include <string>

#include "fake_dialogs.h"
#include "fake_platform.h"
#include "fake_session.h"
#include "fake_shell.h"
#include "fake_show_process.h"
#include "fake_sign_in.h"

namespace fake {

// A fresh process: the stand-in's parts bundled as the logic takes them, and the
// process-wide state of the program reset. Shortcut steps, file removals and settings
// writes go to the one log.
struct Os {
    Os();
    ~Os();
    Os(const Os&) = delete;
    Os& operator=(const Os&) = delete;

    Log log;
    Process process{log};
    FileSystem files;
    LoggedFiles loggedFiles{log, files};
    ProfileFile profile;
    WindowSystem windows{log};
    MediaDevice media{log};
    Shell shell{log, files};
    FileLookup lookup{files};
    MessageDialog messages{log};
    Dialogs dialogs;
    Session session{log};
    ShowProcess showProcess{log, process};
    SignIn signIn;
    platform::Platform platform{process, loggedFiles, profile, windows, media,       shell,
                                lookup,  messages,    dialogs, session, showProcess, signIn};

    std::wstring IniPath() const { return process.appPath + L"\\kestro.ini"; }
    void SetIni(const std::wstring& key, const std::wstring& value) {
        profile.files[IniPath()][L"Kestro"][key] = value;
    }
};

}  // namespace fake
