#include "platform/win32/base/window_lifetime.h"

#include <windows.h>

namespace win32 {
namespace {

// Windows belong to the thread that made them, and the program has only the one.
int loadedWindows = 0;

}  // namespace

void WindowLoaded() { ++loadedWindows; }

void WindowUnloaded() {
    if (--loadedWindows == 0) {
        PostQuitMessage(0);
    }
}

bool AnyWindowLoaded() { return loadedWindows > 0; }

}  // namespace win32
