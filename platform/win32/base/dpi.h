#pragma once

#include <windows.h>

// How Kestro meets screens of different resolutions. The process is aware of each monitor's
// DPI (per-monitor, version 2, declared in its manifest), so Windows never stretches one of
// its windows into a blur; each window says for itself how it scales:
// - The settings window is designed in twips. It opens at the DPI of the monitor it appears
//   on and, when it moves to a monitor of another DPI (WM_DPICHANGED), lays itself out again
//   in the message font for that DPI. The common dialogs and message boxes it owns follow it.
// - The exit show does not scale with the DPI. It shows a picture at its natural size, pixel
//   for pixel (or at the fixed size, which is in pixels too), centred on the primary monitor:
//   the picture is the user's own, and any stretch would blur it. Only a picture larger than
//   the primary monitor, whose size is counted in its own pixels, is shrunk to fit it.
// Every DPI question of the Win32 layer is asked here. The calls that answer per monitor came
// with Windows 10 (1607); where they are missing, the answer is the system's DPI.
namespace win32 {

// The DPI of the monitor the window is on.
int WindowDpi(HWND window);
int MonitorDpi(HMONITOR monitor);
// The DPI of the primary monitor when the session began: what the screen's device context is
// measured with.
int SystemDpi();

// Twips (1440 per inch) to pixels at the DPI.
int PixelsFromTwips(int twips, int dpi);

// A system metric (GetSystemMetrics) as it is at the DPI.
int SystemMetric(int index, int dpi);
// The outer size of a window with the style whose client area has the size, at the DPI.
SIZE OuterSize(SIZE client, DWORD style, int dpi);
// The system's font for message boxes and dialogs, which holds the user's script, at the DPI.
// Throws platform::Error when the system does not give it.
LOGFONTW MessageFont(int dpi);

}  // namespace win32
