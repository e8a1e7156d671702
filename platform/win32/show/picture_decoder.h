#pragma once

#include <wincodec.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/orientation.h"
#include "platform/win32/base/com_ptr.h"
#include "platform/win32/show/memory_image.h"
#include "platform/window_system.h"

namespace win32 {

// A picture file taken by the Windows Imaging Component, which picks the decoder by the file's
// content: every format that Windows has a codec for. Its first frame is opened, not decoded:
// a decoder may decode it whole as it opens it (Wine's JPEG and PNG decoders do), and the
// drawing then takes the same frame. An animated GIF shows its first frame.
class ImagingPicture final : public platform::Picture {
  public:
    // Where the first frame lies within the picture: a GIF's frame may be smaller than its
    // logical screen, and placed anywhere in it.
    struct Place {
        platform::Size picture;
        int left = 0;
        int top = 0;
        platform::Size frame;
    };

    // Throws platform::Error when no decoder takes the bytes or the first frame is too large.
    ImagingPicture(std::vector<std::uint8_t> bytes, bool askOrientation);

    platform::Size StoredSize() const override { return place_.picture; }
    std::optional<platform::Orientation> ReportedOrientation() const override {
        return orientation_;
    }
    // Draws the picture into the image from its top-left corner: brought to `scaled` as stored
    // (each pixel the average of those it covers where it shrinks), then turned upright, so
    // that it fills the image; transparent parts come out over what the image holds. Throws
    // when the turned size is not the image's.
    void Draw(MemoryImage& image, platform::Orientation orientation, platform::Size scaled) const;

  private:
    // Before the decoder, which reads them as long as it lives.
    std::vector<std::uint8_t> bytes_;
    ComPtr<IWICImagingFactory> factory_;
    ComPtr<IWICStream> stream_;
    ComPtr<IWICBitmapFrameDecode> frame_;
    Place place_;
    std::optional<platform::Orientation> orientation_;
};

}  // namespace win32
