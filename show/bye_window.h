#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"
#include "show/moments.h"
#include "show/still_picture.h"

namespace show {

// The exit-show window. Loaded hidden, it waits for a close request; its close handler
// presents the show and ends the program. In a show process, it serves one moment at once.
class ByeWindow final : public platform::ByeWindowEvents {
  public:
    explicit ByeWindow(platform::Platform& os) : os_(os) {}

    void Load();
    void Unload();

    // The show process's show: presents the moment's show at once, then ends the program. It
    // reads the settings without ever opening the settings window.
    void Serve(Moment moment);
    // The waiting instance: from now on a lock or unlock of the session has its show.
    void WaitForLocks();
    // The waiting instance starts the moment's show (sign-in, lock, unlock) in a process of its
    // own, which runs beside the window in place of the one it started before: that one ends
    // first, even when the moment has no file. A close request ends it first too.
    void ShowBeside(Moment moment);

    // Ends the program, except for a request that comes while a show runs and may not end
    // it: that one is answered at once, and the show goes on to its end.
    void OnCloseRequest(platform::CloseRequest request) override;
    // Shows nothing while the exit show runs here or a Kestro command ends the session.
    void OnSessionChange(platform::SessionChange change) override;
    // A running show ends at once, whatever its moment; before a show it means nothing.
    void OnCutShort() override;

  private:
    // Why a show runs, once one does: a request that comes during it never starts another.
    enum class Showing { Nothing, GivesWay, HoldsTheEnd };

    // A Kestro command ends the session and shows its show itself: from its claim on, and by
    // its announcement once it has gone.
    bool CommandRuns() const;
    // Ends the show that runs beside the waiting window, if one does.
    void EndBesideShow();
    // Runs the moment's show and ends the program. `blocks`: Windows hears why the show holds
    // up the end of the session.
    void Run(Moment moment, Showing showing, bool blocks);
    // Presents the moment's show for the loaded settings: a picture for Time seconds (at
    // sign-in once the desktop is there) with the moment's sound, a video or sound to its end
    // (with LimitMedia, Time seconds at most). Returns when it is over or cut short.
    void Present(Moment moment);

    platform::Platform& os_;
    std::unique_ptr<platform::ShowWindow> window_;
    bool besideShow_ = false;
    Showing showing_ = Showing::Nothing;
    bool cutShort_ = false;
    // The file of the moment, once the settings are read.
    std::wstring file_;
};

}  // namespace show
