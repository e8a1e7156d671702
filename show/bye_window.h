#pragma once

#include <memory>
#include <optional>
#include <string>

#include "config/settings.h"
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

    // Marks the process as a show process for the moment: it reads the settings without ever
    // opening the settings window. A command's show is one of the end of the session; the
    // sign-in show gives way to the end of the session, as a test show does.
    void Serve(config::Moment moment) { served_ = moment; }
    // The waiting instance's sign-in show runs beside it: a close request ends it first.
    void EndFirst() { signInShow_ = true; }

    // Ends the program, except for a request that comes while a show runs and may not end
    // it: that one is answered at once, and the show goes on to its end.
    void OnCloseRequest(platform::CloseRequest request) override;

  private:
    // Presents the show for the loaded settings: a picture for Time seconds, a video or sound
    // to its end. Returns when it is over. Only the close handler calls it, so that a show
    // never starts inside another.
    void Present();

    // Why a show runs, once one does: a request that comes during it never starts another.
    // Test: a test or sign-in show, which gives way to the end of the session.
    enum class Showing { Nothing, Test, SessionEnd };

    platform::Platform& os_;
    std::unique_ptr<platform::ShowWindow> window_;
    std::optional<config::Moment> served_;
    bool signInShow_ = false;
    Showing showing_ = Showing::Nothing;
    // The file of the moment, once the settings are read.
    std::wstring file_;
};

}  // namespace show
