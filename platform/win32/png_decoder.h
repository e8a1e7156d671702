#pragma once

#include <string>

#include "platform/win32/gdi.h"

namespace win32 {

// Draws a PNG file through the Windows Imaging Component into the image from its top-left
// corner, scaled to the image's size and alpha blended over what the image holds.
void DrawPng(const std::wstring& path, MemoryImage& image);

}  // namespace win32
