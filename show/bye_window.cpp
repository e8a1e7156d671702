#include "show/bye_window.h"

#include <optional>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/timing.h"
#include "show/media_playback.h"
#include "show/picture_inspection.h"
#include "show/picture_size.h"
#include "show/still_picture.h"
#include "show/timed_wait.h"
#include "show/top_most.h"

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

// A picture file opened by the decoder of its road: the OLE picture loader's picture, or the
// imaging decoder's facts (its frame stays open for the drawing). Neither when the header check
// refuses the file or the decoder does not take it.
struct OpenedPicture {
    std::unique_ptr<platform::Picture> ole;
    std::optional<platform::PictureFacts> facts;
};

OpenedPicture OpenPicture(platform::WindowSystem& windows, const std::wstring& path,
                          const PictureInspection& inspection) {
    OpenedPicture opened;
    if (inspection.refusal) {
        return opened;
    }
    platform::IgnoreErrors([&] {
        if (inspection.road == PictureRoad::OlePicture) {
            opened.ole = windows.LoadPicture(path);
        } else {
            // Reading the decoder's metadata takes time: it is asked only where the file's own
            // EXIF block says nothing, and never of a PNG, which is shown as it is stored.
            const bool askOrientation =
                !inspection.orientation && inspection.road == PictureRoad::Decoder;
            opened.facts = windows.InspectPicture(path, askOrientation);
        }
    });
    platform::TimeStamp("decoded");
    return opened;
}

// The size as stored: the PNG probe's whatever the decoder says, as the PNG road always had;
// on the other roads only a picture that opened has a size of its own.
std::optional<platform::Size> StoredSize(const PictureInspection& inspection,
                                         const OpenedPicture& opened) {
    if (inspection.road == PictureRoad::Png || opened.ole) {
        return inspection.size;
    }
    if (opened.facts) {
        // The header check has no reader for some of the decoder's formats.
        return inspection.size.value_or(opened.facts->size);
    }
    return std::nullopt;
}

}  // namespace

void ByeWindow::Load() { window_ = os_.windows.LoadByeWindow(*this); }

void ByeWindow::Unload() { window_->Unload(); }

void ByeWindow::OnPictureResize() {
    // The platform may report the box's first size while the window is still being built.
    if (!window_) {
        return;
    }
    const auto size = window_->Picture1().InnerSize();
    window_->SetOuterSize(size.width, size.height);
}

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
        PlayToTheEnd();
        return;
    }
    ShowStillPicture();
    platform::IgnoreErrors([&] { TimedWait(os_.process, config::Settings().Time); });
}

void ByeWindow::ShowStillPicture() {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& box = window_->Picture1();
    IgnoreErrors([&] { box.SetPersistentDrawing(true); });
    // Each road checks the file's header before its decoder sees the file.
    const auto inspection = InspectPictureFile(os_.files, file_);
    platform::TimeStamp("file-read");
    const auto opened = OpenPicture(os_.windows, file_, inspection);
    // The file's own EXIF block first: some decoders (Wine's among them) do not report it.
    auto recorded = inspection.orientation;
    if (!recorded && opened.facts) {
        recorded = opened.facts->orientation;
    }
    const auto orientation = recorded.value_or(platform::Orientation{});
    const auto stored = StoredSize(inspection, opened);
    // Without a size of its own or a fixed size, the box keeps its size, as for any picture
    // that cannot be decoded.
    if (settings.Width != 0 || stored) {
        std::optional<platform::Size> screen;
        IgnoreErrors([&] { screen = window_->ScreenSize(); });
        const auto shown = ShownSize(stored.value_or(platform::Size{}), orientation, settings.Width,
                                     settings.Height, screen);
        IgnoreErrors([&] { box.Move(0, 0, shown.width, shown.height); });
        IgnoreErrors([&] {
            if (opened.ole) {
                box.PaintPicture(*opened.ole, shown.width, shown.height);
            } else if (opened.facts) {
                box.DrawPictureFile(file_, orientation);
            }
        });
        platform::TimeStamp("drawn");
        IgnoreErrors([&] { box.Refresh(); });
        IgnoreErrors([&] { box.ImageToPicture(); });
    }
    ShowTopMost(*window_);
    platform::TimeStamp("top-most");
}

void ByeWindow::PlayToTheEnd() {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& media = os_.media;
    if (settings.Width != 0) {
        IgnoreErrors([&] { window_->Picture1().Move(0, 0, settings.Width, settings.Height); });
    }
    PlayMedia(media, *window_, file_, settings.Width == 0);
    IgnoreErrors([&] { os_.process.PumpEvents(); });
    WaitWhilePlaying(media, os_.process);
    IgnoreErrors([&] { CloseMedia(media); });
}

}  // namespace show
