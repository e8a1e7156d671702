#pragma once

namespace win32 {

// The process lives while one of its top-level windows is loaded: each counts itself in when
// it is created and out when it is destroyed, and the last one out ends the message loop.
void WindowLoaded();
void WindowUnloaded();
bool AnyWindowLoaded();

}  // namespace win32
