#pragma once

#include <windows.h>

namespace win32 {

// Windows whose controls the keyboard moves through as in a dialog box: Tab, access keys,
// Enter for the default button and Esc for the cancel button.
void AddKeyboardWindow(HWND window);
void RemoveKeyboardWindow(HWND window);

// Hands one message to its window, through the keyboard handling of its top-level window when
// that is a keyboard window.
void DispatchOne(MSG& message);

}  // namespace win32
