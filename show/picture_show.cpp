#include "show/picture_show.h"

#include <optional>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/timing.h"
#include "show/picture_inspection.h"
#include "show/picture_size.h"
#include "show/top_most.h"

namespace show {
namespace {

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

void ShowStillPicture(platform::Platform& os, platform::ShowWindow& window,
                      const std::wstring& file) {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& box = window.Picture1();
    IgnoreErrors([&] { box.SetPersistentDrawing(true); });
    // Each road checks the file's header before its decoder sees the file.
    const auto inspection = InspectPictureFile(os.files, file);
    platform::TimeStamp("file-read");
    const auto opened = OpenPicture(os.windows, file, inspection);
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
        IgnoreErrors([&] { screen = window.ScreenSize(); });
        const auto shown = ShownSize(stored.value_or(platform::Size{}), orientation, settings.Width,
                                     settings.Height, screen);
        IgnoreErrors([&] { box.Move(0, 0, shown.width, shown.height); });
        IgnoreErrors([&] {
            if (opened.ole) {
                box.PaintPicture(*opened.ole, shown.width, shown.height);
            } else if (opened.facts) {
                box.DrawPictureFile(file, orientation);
            }
        });
        platform::TimeStamp("drawn");
        IgnoreErrors([&] { box.Refresh(); });
        IgnoreErrors([&] { box.ImageToPicture(); });
    }
    ShowTopMost(window);
    platform::TimeStamp("top-most");
}

}  // namespace show
