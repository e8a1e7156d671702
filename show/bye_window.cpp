#include "show/bye_window.h"


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

bool EndsTheSession(CloseRequest request) {
    return request == CloseRequest::ShutDown || request == CloseRequest::LogOff;
}

}  // namespace

void ByeWindow::Load() { window_ = os_.windows.LoadByeWindow(*this); }

void ByeWindow::Unload() { window_->Unload(); }

void ByeWindow::OnCloseRequest(CloseRequest request) {
    using platform::IgnoreErrors;
    platform::TimeStamp("request");
    if (signInShow_) {
        signInShow_ = false;
        IgnoreErrors([&] { os_.showProcess.End(); });
    }
    if (EndsWithoutShow(request)) {
        os_.process.EndProgram();
    }
    const bool sessionEnd = EndsTheSession(request);
    if (showing_ != Showing::Nothing) {
        // A test show gives way to the end of the session; one that the session's end waits
        // for goes on, and Windows hears at once that this window is alive.
        if (sessionEnd && showing_ == Showing::Test) {
            os_.process.EndProgram();
        }
        return;
    }
    const bool command = served_.has_value() && *served_ != config::Moment::SignIn;
    showing_ = sessionEnd || command ? Showing::SessionEnd : Showing::Test;
    if (sessionEnd) {
        // A Kestro command ending the session has shown the show already.
        bool announced = false;
        IgnoreErrors([&] { announced = os_.session.CommandAnnounced(); });
        if (announced) {
            os_.process.EndProgram();
        }
        IgnoreErrors([&] { os_.session.SetBlockReason(window_->Handle(), kBlockReason); });
    }
    IgnoreErrors([&] {
        if (served_) {
            config::ReadSettings(os_);
        } else {
            config::LoadSettings(os_);
        }
    });
    platform::TimeStamp("settings-read");
    const auto moment = served_.value_or(
        request == CloseRequest::LogOff ? config::Moment::SignOut : config::Moment::ShutDown);
    file_ = config::FileFor(config::Settings(), moment);
    if (!file_.empty()) {
        Present();
    }
    if (sessionEnd) {
        IgnoreErrors([&] { os_.session.ClearBlockReason(window_->Handle()); });
    }
    os_.process.EndProgram();
}

void ByeWindow::Present() {
    if (!IsStillPicture(file_)) {
        PlayToTheEnd(os_, *window_, file_);
        return;
    }
    ShowStillPicture(os_, *window_, file_);
    platform::IgnoreErrors([&] { TimedWait(os_.process, config::Settings().Time); });
}

}  // namespace show
