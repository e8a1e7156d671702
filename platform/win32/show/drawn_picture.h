#pragma once

#include <windows.h>

#include "platform/orientation.h"
#include "platform/win32/show/memory_image.h"
#include "platform/window_system.h"

namespace win32 {

// A picture that one of the system's decoders took, as the picture box draws it.
class DrawnPicture : public platform::Picture {
  public:
    // Draws the picture into the image from its top-left corner: brought to `scaled` as stored
    // (each pixel the average of those it covers where it shrinks), then turned upright, so
    // that it fills the image. Transparent parts come out over what the image holds, or over
    // `background` where the picture is shrunk through bands of its own. Throws when the
    // turned size is not the image's.
    virtual void Draw(MemoryImage& image, platform::Orientation orientation, platform::Size scaled,
                      COLORREF background) const = 0;
};

// Throws unless a picture brought to `scaled` and turned upright fills the image exactly.
void CheckFills(const MemoryImage& image, platform::Orientation orientation, platform::Size scaled);

}  // namespace win32
