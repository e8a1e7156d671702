#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/file_lookup.h"
#include "platform/win32/file_system.h"
#include "platform/win32/media_device.h"
#include "platform/win32/message_dialog.h"
#include "platform/win32/process.h"
#include "platform/win32/profile_file.h"
#include "platform/win32/session.h"
#include "platform/win32/shell.h"
#include "platform/win32/show_process.h"
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
    platform::Platform os{process, files,    profile, windows, media,      shell,
                          lookup,  messages, dialogs, session, showProcess};
};

}  // namespace win32
