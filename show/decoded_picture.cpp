#include "show/decoded_picture.h"

#include <optional>
#include <utility>

#include "config/settings.h"
#include "platform/error.h"
#include "platform/timing.h"
#include "show/exif_orientation.h"
#include "show/picture_header.h"
#include "show/still_picture.h"

namespace show {
namespace {

// The header check reads the sizes of BMP, GIF, JPEG and PNG, and refuses what it cannot
// read. The formats it has no reader for are left to the decoder's own size check, which
// also runs before any pixel is decoded.
bool HeaderCheckReads(PictureContent content) {
    return content != PictureContent::Tiff && content != PictureContent::WebP &&
           content != PictureContent::Heif && content != PictureContent::Icon;
}

}  // namespace

void ShowDecodedPicture(platform::Platform& os, platform::PictureBox& box, const std::wstring& path,
                        const std::vector<std::uint8_t>& head) {
    using platform::IgnoreErrors;
    const auto& settings = config::Settings();
    std::optional<platform::PictureFacts> facts;
    IgnoreErrors([&] {
        if (HeaderCheckReads(SniffPicture(head))) {
            CheckPictureFile(os.files, path);
        }
        // Opening the file may decode all of it already; the drawing below uses that.
        platform::TimeStamp("file-read");
        facts = os.windows.InspectPicture(path);
    });
    // The file's own EXIF block first: some decoders (Wine's among them) do not report it.
    int orientation = ExifOrientation(head);
    if (orientation == 0 && facts) {
        orientation = facts->orientation;
    }
    if (orientation == 0) {
        orientation = 1;
    }
    if (settings.Width != 0) {
        IgnoreErrors([&] { box.Move(0, 0, settings.Width, settings.Height); });
    } else if (facts) {
        auto size = facts->size;
        if (SwapsSides(orientation)) {
            std::swap(size.width, size.height);
        }
        IgnoreErrors([&] { box.Move(0, 0, size.width, size.height); });
    } else {
        // Nothing to show at a size of its own: the box keeps its size, as for any picture
        // that cannot be decoded.
        return;
    }
    if (facts) {
        IgnoreErrors([&] { box.DrawPictureFile(path, orientation); });
        platform::TimeStamp("decoded");
    }
    IgnoreErrors([&] { box.ImageToPicture(); });
}

}  // namespace show
