#include "show/bye_window.h"

#include <optional>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/timing.h"
#include "show/media_playback.h"
#include "show/picture_show.h"
#include "show/still_picture.h"
#include "show/timed_wait.h"

namespace show {
namespace {

using platform::CloseRequest;

// Another program, an installer that only needs Kestro closed, and a forced end that will not
// wait: none of them may get a show.
bool EndsWithoutShow(CloseRequest request) {
    return request == CloseRequest::OtherProgram || request == CloseRequest::CloseApp ||
           request == CloseRequest::Critical;
}

// How the request ends the session; none for a request that does not.
std::optional<platform::SessionEnd> EndOf(CloseRequest request) {
    if (request == CloseRequest::LogOff) {
        return platform::SessionEnd::LogOff;
    }
    if (request == CloseRequest::ShutDown) {
        return platform::SessionEnd::ShutDown;
    }
    return std::nullopt;
}

}  // namespace

void ByeWindow::Load() { window_ = os_.windows.LoadByeWindow(*this, kByeWindowCaption); }

void ByeWindow::Unload() { window_->Unload(); }

void ByeWindow::Serve(Moment moment) {
    Run(moment, RowOf(moment).givesWay ? Showing::GivesWay : Showing::HoldsTheEnd, false);
}

void ByeWindow::OnCloseRequest(CloseRequest request) {
    using platform::IgnoreErrors;
    platform::TimeStamp("request");
    if (besideShow_) {
        besideShow_ = false;
        IgnoreErrors([&] { os_.showProcess.End(); });
    }
    if (EndsWithoutShow(request)) {
        os_.process.EndProgram();
    }
    const auto end = EndOf(request);
    if (showing_ != Showing::Nothing) {
        // A test or sign-in show gives way to the end of the session; one that the session's
        // end waits for goes on, and Windows hears at once that this window is alive.
        if (end && showing_ == Showing::GivesWay) {
            os_.process.EndProgram();
        }
        return;
    }
    if (end) {
        // A Kestro command shows the end of the session itself: from its claim on, and by its
        // announcement once it has gone.
        bool command = false;
        IgnoreErrors(
            [&] { command = os_.session.CommandClaimed() || os_.session.CommandAnnounced(); });
        if (command) {
            os_.process.EndProgram();
        }
    }
    // Any other request (the close box, the program's own unload) runs the test show.
    Run(end ? MomentOfEnd(*end) : Moment::Exit, end ? Showing::HoldsTheEnd : Showing::GivesWay,
        end.has_value());
}

void ByeWindow::OnCutShort() {
    if (showing_ != Showing::Nothing) {
        cutShort_ = true;
    }
}

void ByeWindow::Run(Moment moment, Showing showing, bool blocks) {
    using platform::IgnoreErrors;
    showing_ = showing;
    IgnoreErrors([&] { window_->BeginShow(); });
    if (blocks) {
        IgnoreErrors([&] { os_.session.SetBlockReason(window_->Handle(), kBlockReason); });
    }
    // The show uses the file as it is now; the settings window never opens here.
    config::ReadSettings(os_);
    platform::TimeStamp("settings-read");
    file_ = FileFor(config::Settings(), moment);
    if (!file_.empty()) {
        Present();
    }
    if (blocks) {
        IgnoreErrors([&] { os_.session.ClearBlockReason(window_->Handle()); });
    }
    os_.process.EndProgram();
}

void ByeWindow::Present() {
    const CutShort cutShort = [this] { return cutShort_; };
    if (!IsStillPicture(file_)) {
        PlayMediaShow(os_, *window_, file_, cutShort);
        return;
    }
    ShowStillPicture(os_, *window_, file_);
    platform::IgnoreErrors([&] { TimedWait(os_.process, config::Settings().Time, cutShort); });
}

}  // namespace show
