#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/picture_box.h"
#include "platform/window_system.h"

namespace win32 {

// The exit-show window: borderless, not in the taskbar, hidden until the show.
class ByeWindow final : public platform::ShowWindow {
  public:
    explicit ByeWindow(platform::ByeWindowEvents& events);
    ByeWindow(const ByeWindow&) = delete;
    ByeWindow& operator=(const ByeWindow&) = delete;
    ~ByeWindow() override;

    platform::PictureBox& Picture1() override { return *picture1_; }
    void SetOuterSize(int width, int height) override;
    void CenterOnScreen() override;
    void Show() override;
    void MakeTopMost() override;
    void Unload() override;

    HWND Hwnd() const { return hwnd_; }
    PictureBox& Box() { return *picture1_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Close(int reason);

    HWND hwnd_ = nullptr;
    platform::ByeWindowEvents& events_;
    std::unique_ptr<PictureBox> picture1_;
    bool ownCloseCommand_ = false;
};

}  // namespace win32
