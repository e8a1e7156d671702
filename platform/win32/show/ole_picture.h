#pragma once

#include <windows.h>
// After windows.h, whose types they use.
#include <ole2.h>
#include <olectl.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/win32/base/com_ptr.h"
#include "platform/win32/show/drawn_picture.h"

namespace win32 {

// A BMP or GIF file decoded by the OLE picture loader.
class OlePicture final : public DrawnPicture {
  public:
    // Takes the file's bytes and frees them once the picture is decoded. Throws
    // platform::Error when it cannot decode them or the picture is too large.
    explicit OlePicture(std::vector<std::uint8_t> bytes);

    // The natural size in pixels at the screen's resolution.
    platform::Size StoredSize() const override;
    // BMP and GIF files record none.
    std::optional<platform::Orientation> ReportedOrientation() const override {
        return std::nullopt;
    }
    void Draw(MemoryImage& image, platform::Orientation orientation, platform::Size scaled,
              COLORREF background) const override;

  private:
    // Draws the whole picture with its top-left corner at (left, top), scaled to size.
    void Render(HDC dc, int left, int top, platform::Size size) const;
    // Shrinks the picture, drawn a band of rows at a time at its own size over the background.
    std::vector<std::uint32_t> Shrunk(platform::Size scaled, COLORREF background) const;

    ComPtr<IPicture> picture_;
};

}  // namespace win32
