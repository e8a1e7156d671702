#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/win32/files/file_lookup.h"
#include "platform/win32/files/file_system.h"
#include "platform/win32/files/profile_file.h"
#include "platform/win32/files/shell.h"
#include "platform/win32/media/media_device.h"
#include "platform/win32/session/process.h"
#include "platform/win32/session/session.h"
#include "platform/win32/session/show_process.h"
#include "platform/win32/session/sign_in.h"
#include "platform/win32/settings_ui/common_dialogs.h"
#include "platform/win32/settings_ui/message_dialog.h"
#include "platform/win32/window_system.h"

namespace win32 {

// The real operating system, bundled as the program's logic takes it.
struct Win32Platform {
    explicit Win32Platform(std::wstring commandLine) : process(std::move(commandLine)) {}

    Process process;
    FileSystem files;
    ProfileFile profile;
    WindowSystem windows;
    MediaDevice media;
    Shell shell;
    FileLookup lookup;
    MessageDialog messages;
    CommonDialogs dialogs;
    Session session{process.ExePath()};
    ShowProcess showProcess{process};
    SignIn signIn;
    platform::Platform os{process, files,    profile, windows, media,       shell,
                          lookup,  messages, dialogs, session, showProcess, signIn};
};

}  // namespace win32
