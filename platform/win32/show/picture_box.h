#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/win32/show/memory_image.h"
#include "platform/window_system.h"

namespace win32 {

// The exit-show window's picture box: a borderless child window in pixel units, painted in
// the active caption colour where nothing is drawn.
class PictureBox final : public platform::PictureBox {
  public:
    PictureBox(HWND parent, const RECT& bounds);
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    void SetPersistentDrawing(bool on) override;
    void Move(int left, int top, int width, int height) override;
    platform::Size InnerSize() const override;
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(hwnd_); }
    void Refresh() override;
    void ImageToPicture() override;
    void DrawPicture(const platform::Picture& picture, platform::Orientation orientation,
                     platform::Size scaled) override;

    // The colour of the persistent image at (x, y) as 0xRRGGBB; the background colour where
    // there is no image.
    std::uint32_t PixelAt(int x, int y) const;

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed() { hwnd_ = nullptr; }

  private:
    void Paint(HDC dc) const;
    void DrawDisplayedPicture(HDC dc) const;
    // A fresh persistent image of the box's size (background and displayed picture) while
    // persistent drawing is on; none when it is off or the box is too large for one.
    void RebuildImage();
    // The persistent image, to draw into: never the one the displayed picture shares.
    MemoryImage& Image();

    HWND hwnd_ = nullptr;
    bool persistent_ = false;
    std::shared_ptr<MemoryImage> image_;
    // The displayed picture: the persistent image as ImageToPicture found it. It is shared
    // until the image is drawn into again: copying a large picture at once would hold up the
    // show.
    std::shared_ptr<MemoryImage> imageCopy_;
};

}  // namespace win32
