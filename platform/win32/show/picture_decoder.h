#pragma once

#include <string>

#include "platform/orientation.h"
#include "platform/win32/show/memory_image.h"
#include "platform/window_system.h"

namespace win32 {

// Picture files through the Windows Imaging Component, which picks the decoder by the file's
// content: every format that Windows has a codec for. Both throw platform::Error when no
// decoder takes the file or its first frame is too large.

// The first frame's stored size, and the orientation that the decoder reads from its
// metadata where it answers. The frame stays open for the next DrawPicture of the same path.
platform::PictureFacts InspectPicture(const std::wstring& path, bool askOrientation);

// Draws the first frame (the one inspected last, when it is of this path) into the image from
// its top-left corner, turned and mirrored upright by the orientation, scaled to the image's
// size and alpha blended over what the image holds.
void DrawPicture(const std::wstring& path, platform::Orientation orientation, MemoryImage& image);

}  // namespace win32
