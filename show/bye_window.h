#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"
#include "show/still_picture.h"

namespace show {

inline constexpr wchar_t kByeWindowCaption[] = L"Windows の終了";
// What Windows lists beside Kestro while the show holds up the end of the session.
inline constexpr wchar_t kBlockReason[] = L"終了時の画像やサウンドを再生しています";

// The exit-show window. Loaded hidden, it waits for a close request; its close handler
// presents the show and ends the program.
class ByeWindow final : public platform::ByeWindowEvents {
  public:
    explicit ByeWindow(platform::Platform& os) : os_(os) {}

    void Load();
    void Unload();

    // Never returns normally: every road ends the program.
    void OnCloseRequest(platform::CloseRequest request) override;
    void OnPictureResize() override;

    // Presents the show for the loaded settings: a picture for Time seconds, a video or sound
    // to its end. Returns when it is over.
    void Present();

  private:
    void ShowStillPicture();
    // Plays a video or sound through the media device until it stops.
    void PlayToTheEnd();

    platform::Platform& os_;
    std::unique_ptr<platform::ShowWindow> window_;
};

}  // namespace show
