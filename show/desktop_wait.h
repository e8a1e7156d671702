#pragma once

#include "platform/process.h"
#include "platform/sign_in.h"

namespace show {

// The longest a sign-in picture waits for the desktop: a shell that never puts up a taskbar
// (a replaced shell, a kiosk) gets its picture after this.
inline constexpr float kDesktopWaitSeconds = 30.0F;

// The logon task starts the program as the user signs in, before the shell has put up the
// desktop: a picture shown then is covered by it. Waits until the desktop is there, at most
// kDesktopWaitSeconds, pumping events at least every tenth of a second.
void WaitForDesktop(platform::Process& process, const platform::SignIn& signIn);

}  // namespace show
