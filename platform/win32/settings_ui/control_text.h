#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// The text of a window or control, asked from the thread that owns it, also when that is
// another thread or process; empty when the owner does not answer within a few seconds.
std::wstring ControlText(HWND window);

}  // namespace win32
