#include "show/picture_inspection.h"

#include <cstdint>
#include <vector>

#include "platform/error.h"
#include "show/exif_orientation.h"
#include "show/picture_header.h"
#include "show/png_size.h"

namespace show {
namespace {

std::vector<std::uint8_t> ReadHead(const platform::FileSystem& files, const std::wstring& path) {
    if (!files.FileExists(path)) {
        return {};
    }
    auto head = files.ReadBytes(path, 0, kPictureHeadBytes);
    const auto header = ReadPictureHeader(head);
    if (head.size() == kPictureHeadBytes && (!header || header->format == PictureFormat::Gif)) {
        const auto rest =
            files.ReadBytes(path, kPictureHeadBytes, kPictureHeaderBytes - kPictureHeadBytes);
        head.insert(head.end(), rest.begin(), rest.end());
    }
    return head;
}

// The header check reads the sizes of BMP, GIF, JPEG and PNG, and refuses what it cannot read.
// The formats it has no reader for are left to the decoder's own size check, which also runs
// before any pixel is decoded.
bool HeaderCheckReads(PictureContent content) {
    return content != PictureContent::Tiff && content != PictureContent::WebP &&
           content != PictureContent::Heif && content != PictureContent::Icon;
}

// The probe's outputs start at 0 and keep what it stored before an overflow.
platform::Size ProbedPngSize(const std::vector<std::uint8_t>& head) {
    std::int16_t width = 0;
    std::int16_t height = 0;
    platform::IgnoreErrors([&] { GetPngSize(head, width, height); });
    return {width, height};
}

}  // namespace

PictureInspection InspectPictureFile(const platform::FileSystem& files, const std::wstring& path) {
    std::vector<std::uint8_t> head;
    platform::IgnoreErrors([&] { head = ReadHead(files, path); });
    const auto content = SniffPicture(head);
    PictureInspection inspection;
    inspection.road = ChooseRoad(content, path);
    inspection.orientation = ExifOrientation(head);
    if (HeaderCheckReads(content)) {
        inspection.refusal = PictureRefusal(head);
    }
    if (inspection.road == PictureRoad::Png) {
        inspection.size = ProbedPngSize(head);
    } else if (const auto header = ReadPictureHeader(head); header && !inspection.refusal) {
        inspection.size =
            platform::Size{static_cast<int>(header->width), static_cast<int>(header->height)};
    }
    return inspection;
}

}  // namespace show
