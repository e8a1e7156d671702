#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace show {

inline constexpr wchar_t kByeWindowCaption[] = L"Windows の終了";

// The exit-show window. Loaded hidden, it waits for a close request; its close handler
// presents the show and ends the program.
class ByeWindow final : public platform::ByeWindowEvents {
  public:
    explicit ByeWindow(platform::Platform& os) : os_(os) {}

    void Load();
    void Unload();

    // Never returns normally: every road ends the program.
    void OnCloseRequest(int reason) override;
    void OnPictureResize() override;

  private:
    void ShowStillPicture(const std::wstring& ending);
    void ShowPng();
    void ShowOlePicture();
    // Plays a video or sound through the media device until it stops; ends the program.
    [[noreturn]] void PlayToTheEnd();

    platform::Platform& os_;
    std::unique_ptr<platform::ShowWindow> window_;
};

// True for the endings drawn as still pictures: ".bmp", ".gif", ".png", ".jpg" in any case.
bool IsStillPicture(const std::wstring& path);

}  // namespace show
