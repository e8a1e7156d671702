#include "show/bye_window.h"

#include <optional>
#include <utility>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/texts.h"
#include "platform/timing.h"
#include "show/desktop_wait.h"
#include "show/media_playback.h"
#include "show/picture_with_sound.h"
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

void ByeWindow::Load() {
    window_ = os_.windows.LoadByeWindow(*this, platform::CurrentTexts().showWindowCaption);
}

void ByeWindow::Unload() { window_->Unload(); }

void ByeWindow::Serve(Moment moment) {
    Run(moment, RowOf(moment).givesWay ? Showing::GivesWay : Showing::HoldsTheEnd, false);
}

void ByeWindow::OnCloseRequest(CloseRequest request) {
    using platform::IgnoreErrors;
    platform::TimeStamp("request");
    EndBesideShow();
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
    if (end && CommandRuns()) {
        os_.process.EndProgram();
    }
    // Any other request (the close box, the program's own unload) runs the test show.
    Run(end ? MomentOfEnd(*end) : Moment::Exit, end ? Showing::HoldsTheEnd : Showing::GivesWay,
        end.has_value());
}

void ByeWindow::WaitForLocks() { window_->ListenForSessionChanges(); }

void ByeWindow::ShowBeside(Moment moment) {
    using platform::IgnoreErrors;
    EndBesideShow();
    if (FileFor(config::Settings(), moment).empty()) {
        return;
    }
    // Decoding and playing happen in the show process: waiting costs what it cost before.
    IgnoreErrors([&] {
        os_.session.OfferShow();
        os_.showProcess.Launch(RowOf(moment).showArgument);
        besideShow_ = true;
    });
}

void ByeWindow::OnSessionChange(platform::SessionChange change) {
    if (showing_ != Showing::Nothing || CommandRuns()) {
        return;
    }
    // The file as it is now: the settings window may have changed it since the sign-in.
    config::ReadSettings(os_);
    ShowBeside(change == platform::SessionChange::Lock ? Moment::Lock : Moment::Unlock);
}

bool ByeWindow::CommandRuns() const {
    bool command = false;
    platform::IgnoreErrors(
        [&] { command = os_.session.CommandClaimed() || os_.session.CommandAnnounced(); });
    return command;
}

void ByeWindow::EndBesideShow() {
    if (std::exchange(besideShow_, false)) {
        platform::IgnoreErrors([&] { os_.showProcess.End(); });
    }
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
        IgnoreErrors([&] {
            os_.session.SetBlockReason(window_->Handle(), platform::CurrentTexts().blockReason);
        });
    }
    // The show uses the file as it is now; the settings window never opens here.
    config::ReadSettings(os_);
    platform::TimeStamp("settings-read");
    file_ = FileFor(config::Settings(), moment);
    if (!file_.empty()) {
        Present(moment);
    }
    if (blocks) {
        IgnoreErrors([&] { os_.session.ClearBlockReason(window_->Handle()); });
    }
    os_.process.EndProgram();
}

void ByeWindow::Present(Moment moment) {
    const CutShort cutShort = [this] { return cutShort_; };
    if (!IsStillPicture(file_)) {
        PlayMediaShow(os_, *window_, file_, cutShort);
        return;
    }
    // A sound is heard without a desktop; a picture is not seen.
    if (moment == Moment::SignIn) {
        WaitForDesktop(os_.process, os_.signIn);
    }
    ShowPictureWithSound(os_, *window_, file_, SoundFor(config::Settings(), moment), cutShort);
}

}  // namespace show
