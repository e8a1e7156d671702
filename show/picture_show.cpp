#include "show/picture_show.h"

#include <memory>
#include <optional>
#include <utility>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/timing.h"
#include "show/picture_inspection.h"
#include "show/picture_size.h"
#include "show/top_most.h"

namespace show {
namespace {

// Whether the decoder's metadata can hold an orientation: BMP, GIF and PNG files are shown as
// they are stored.
bool MayRecordOrientation(PictureContent content) {
    return content != PictureContent::Png && content != PictureContent::Bmp &&
           content != PictureContent::Gif;
}

// The file's bytes handed to the system's decoders; nothing when the header check refuses them
// or no decoder takes them.
std::unique_ptr<platform::Picture> OpenPicture(platform::WindowSystem& windows,
                                               PictureInspection& inspection) {
    std::unique_ptr<platform::Picture> picture;
    const auto& header = inspection.header;
    if (header.refusal) {
        return picture;
    }
    // Reading the decoder's metadata takes time: it is asked only where the file's own EXIF
    // block says nothing.
    const bool askOrientation = !inspection.orientation && MayRecordOrientation(header.content);
    platform::IgnoreErrors(
        [&] { picture = windows.OpenPicture(std::move(inspection.bytes), askOrientation); });
    return picture;
}

}  // namespace

void ShowStillPicture(platform::Platform& os, platform::ShowWindow& window,
                      const std::wstring& file) {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    auto& box = window.Picture1();
    IgnoreErrors([&] { box.SetPersistentDrawing(true); });
    auto inspection = InspectPictureFile(os.files, file);
    platform::TimeStamp("file-read");
    const auto picture = OpenPicture(os.windows, inspection);
    platform::TimeStamp("decoded");
    // The file's own EXIF block first: some decoders (Wine's among them) do not report it.
    auto recorded = inspection.orientation;
    if (!recorded && picture) {
        recorded = picture->ReportedOrientation();
    }
    const auto orientation = recorded.value_or(platform::Orientation{});
    // The header's size where the check read one; the decoder's for the formats it has no
    // reader for.
    auto stored = inspection.header.size;
    if (!stored && picture) {
        stored = picture->StoredSize();
    }
    // Without a size of its own or a fixed size, the box keeps its size, as for any picture
    // that cannot be decoded.
    if (settings.Width == 0 && !stored) {
        ShowTopMost(window);
        return;
    }
    std::optional<platform::Size> screen;
    IgnoreErrors([&] { screen = window.ScreenSize(); });
    const auto shown = ShownSize(stored.value_or(platform::Size{}), orientation, settings.Width,
                                 settings.Height, screen);
    IgnoreErrors([&] { ResizeShow(window, shown); });
    if (picture) {
        IgnoreErrors(
            [&] { box.DrawPicture(*picture, orientation, BeforeTurn(shown, orientation)); });
    }
    platform::TimeStamp("drawn");
    IgnoreErrors([&] { box.Refresh(); });
    IgnoreErrors([&] { box.ImageToPicture(); });
    ShowTopMost(window);
    platform::TimeStamp("top-most");
}

}  // namespace show
