#pragma once

#include <string>

#include "platform/win32/memory_image.h"

namespace win32 {

// Draws a PNG file through the Windows Imaging Component into the image from its top-left
// corner, scaled to the image's size and alpha blended over what the image holds.
// Throws platform::Error when the file cannot be decoded or is too large.
void DrawPng(const std::wstring& path, MemoryImage& image);

}  // namespace win32
