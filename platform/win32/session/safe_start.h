#pragma once

namespace win32 {

// First thing in the process: DLLs come from System32 alone, and a crash ends the process
// at once and quietly, with no error-report window.
void GuardProcess();

// From here on, a fault inside any code of the process ends it at once, even one that the
// window system would swallow in a window procedure. For the show, which ends the program
// anyway: nothing may hold up the end of the session.
void EndOnAnyFault();

}  // namespace win32
