#pragma once

#include "platform/platform.h"
#include "platform/session.h"

namespace app {

// "/shutdown", "/restart" and "/logoff": the exit show on the live desktop, where the user
// sees it, run by a process of its own within bounds, then the end of the session whatever
// the show did. A waiting instance is told first, so that it does not show it again. Ends the
// program.
void RunSessionCommand(platform::Platform& os, platform::SessionEnd how);

}  // namespace app
