#include "show/bye_window.h"

#include <cstdint>
#include <vector>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/timing.h"
#include "show/decoded_picture.h"
#include "show/media_playback.h"
#include "show/picture_header.h"
#include "show/png_size.h"
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

// A picture whose header the check refuses fails to load, as a damaged one does: no decoder
// ever sees it.
std::unique_ptr<platform::Picture> LoadCheckedPicture(platform::Platform& os,
                                                      const std::wstring& path) {
    CheckPictureFile(os.files, path);
    platform::TimeStamp("file-read");
    auto picture = os.windows.LoadPicture(path);
    platform::TimeStamp("decoded");
    return picture;
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
    const auto& mediaFile = file_;
    IgnoreErrors([&] { window_->Picture1().SetPersistentDrawing(true); });
    std::vector<std::uint8_t> head;
    IgnoreErrors([&] { head = ReadPictureHead(os_.files, mediaFile); });
    // Each road checks the file's header before its decoder sees the file.
    switch (ChooseRoad(SniffPicture(head), mediaFile)) {
        case PictureRoad::Png:
            ShowPng();
            break;
        case PictureRoad::OlePicture:
            ShowOlePicture();
            break;
        case PictureRoad::Decoder:
            ShowDecodedPicture(os_, window_->Picture1(), mediaFile, head);
            break;
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

void ByeWindow::ShowPng() {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& box = window_->Picture1();
    std::int16_t width = 0;
    std::int16_t height = 0;
    IgnoreErrors([&] {
        if (settings.Width == 0) {
            GetPngSize(os_.files, file_, width, height);
        } else {
            width = settings.Width;
            height = settings.Height;
        }
    });
    IgnoreErrors([&] { box.Move(0, 0, width, height); });
    IgnoreErrors([&] {
        CheckPictureFile(os_.files, file_);
        platform::TimeStamp("file-read");
        box.DrawPngFile(file_);
        platform::TimeStamp("decoded");
    });
    IgnoreErrors([&] { box.Refresh(); });
    IgnoreErrors([&] { box.ImageToPicture(); });
}

void ByeWindow::ShowOlePicture() {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& box = window_->Picture1();
    if (settings.Width == 0) {
        IgnoreErrors([&] { box.SetPicture(*LoadCheckedPicture(os_, file_)); });
        return;
    }
    IgnoreErrors([&] { box.Move(0, 0, settings.Width, settings.Height); });
    std::unique_ptr<platform::Picture> picture;
    IgnoreErrors([&] { picture = LoadCheckedPicture(os_, file_); });
    IgnoreErrors([&] {
        if (picture) {
            box.PaintPicture(*picture, settings.Width, settings.Height);
        }
    });
    IgnoreErrors([&] { box.ImageToPicture(); });
}

}  // namespace show
