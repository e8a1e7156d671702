#pragma once

#include <windows.h>
// After windows.h, whose types they use.
#include <ole2.h>
#include <olectl.h>

#include <string>

#include "platform/win32/base/com_ptr.h"
#include "platform/window_system.h"

namespace win32 {

// A BMP, GIF or JPEG file decoded by the OLE picture loader. Copies share the decoded picture.
class OlePicture final : public platform::Picture {
  public:
    // Throws platform::Error when the file cannot be read or decoded.
    explicit OlePicture(const std::wstring& path);

    // The natural size in pixels at the screen's resolution.
    platform::Size PixelSize() const;
    // Draws the whole picture at (0, 0), scaled to width x height (averaging when smaller).
    void Render(HDC dc, int width, int height) const;

  private:
    ComPtr<IPicture> picture_;
};

}  // namespace win32
