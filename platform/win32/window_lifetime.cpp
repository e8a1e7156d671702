#include "platform/win32/window_lifetime.h"

#include <windows.h>

namespace win32 {
namespace {

int loadedWindows = 0;

}  // namespace

void WindowLoaded() { ++loadedWindows; }

void WindowUnloaded() {
    if (--loadedWindows == 0) {
        PostQuitMessage(0);
    }
}

}  // namespace win32
