#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/win32/gdi.h"
#include "platform/win32/ole_picture.h"
#include "platform/window_system.h"

namespace win32 {

// The exit-show window's picture box: a borderless child window in pixel units.
class PictureBox final : public platform::PictureBox {
  public:
    PictureBox(HWND parent, platform::ByeWindowEvents& events, RECT bounds);
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox() override;

    void SetPersistentDrawing(bool on) override;
    void Move(int left, int top, int width, int height) override;
    platform::Size InnerSize() const override;
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(hwnd_); }
    void Refresh() override;
    void ImageToPicture() override;
    void SetPicture(const platform::Picture& picture) override;
    void PaintPicture(const platform::Picture& picture, int width, int height) override;
    void DrawPngFile(const std::wstring& path) override;

    // The colour shown at (x, y), for tests: 0xRRGGBB.
    std::uint32_t PixelAt(int x, int y) const;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void RebuildImage();
    MemoryImage& Image();

    HWND hwnd_ = nullptr;
    platform::ByeWindowEvents& events_;
    bool persistent_ = false;
    std::unique_ptr<MemoryImage> image_;
    // The picture the box shows when it is not drawing persistently.
    const OlePicture* picture_ = nullptr;
};

}  // namespace win32
