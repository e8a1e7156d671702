#pragma once

namespace win32 {

// The process lives while one of its top-level windows is loaded: each window counts itself
// in while it exists, and the last one out ends the message loop.
void WindowLoaded();
void WindowUnloaded();

}  // namespace win32
