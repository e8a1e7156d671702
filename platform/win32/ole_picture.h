#pragma once

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

#include <string>

#include "platform/win32/com_ptr.h"
#include "platform/window_system.h"

namespace win32 {

// A BMP, GIF or JPEG file decoded by the OLE picture loader.
class OlePicture final : public platform::Picture {
  public:
    explicit OlePicture(const std::wstring& path);

    // The natural size in pixels at the screen's resolution.
    platform::Size PixelSize() const;
    void Render(HDC dc, int width, int height) const;

  private:
    ComPtr<IPicture> picture_;
};

}  // namespace win32
