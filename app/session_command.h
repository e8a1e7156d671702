#pragma once

#include "platform/platform.h"
#include "platform/session.h"

namespace app {

// "/shutdown", "/restart" and "/logoff": the exit show on the live desktop, where the user
// sees it, run by a process of its own within bounds, then the end of the session whatever
// the show did. From the command's claim on, it is the only show: another show of the same
// executable ends first, and a waiting instance shows nothing at the end of the session. Ends
// the program.
void RunSessionCommand(platform::Platform& os, platform::SessionEnd how);

}  // namespace app
