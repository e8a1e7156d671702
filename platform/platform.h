#pragma once

#include "platform/common_dialogs.h"
#include "platform/file_lookup.h"
#include "platform/files.h"
#include "platform/media_device.h"
#include "platform/message_dialog.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/session.h"
#include "platform/shell.h"
#include "platform/show_process.h"
#include "platform/sign_in.h"
#include "platform/window_system.h"

namespace platform {

// The operating system as the program's logic sees it, one interface per role.
struct Platform {
    Process& process;
    FileSystem& files;
    ProfileFile& profile;
    WindowSystem& windows;
    MediaDevice& media;
    Shell& shell;
    FileLookup& lookup;
    MessageDialog& messages;
    CommonDialogs& dialogs;
    Session& session;
    ShowProcess& showProcess;
    SignIn& signIn;
};

}  // namespace platform
