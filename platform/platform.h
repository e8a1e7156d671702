#pragma once

#include "platform/files.h"
#include "platform/media_device.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/window_system.h"

namespace platform {

// The operating system as the program's logic sees it, one interface per role.
struct Platform {
    Process& process;
    FileSystem& files;
    ProfileFile& profile;
    WindowSystem& windows;
    MediaDevice& media;
};

}  // namespace platform
