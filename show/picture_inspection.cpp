#include "show/picture_inspection.h"

#include <algorithm>
#include <span>

#include "platform/error.h"
#include "show/exif_orientation.h"

namespace show {
namespace {

std::span<const std::uint8_t> Head(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    return std::span(bytes).first(std::min(bytes.size(), count));
}

}  // namespace

PictureInspection InspectPictureFile(const platform::FileSystem& files, const std::wstring& path) {
    PictureInspection inspection;
    platform::IgnoreErrors([&] {
        if (!files.FileExists(path)) {
            return;
        }
        auto& bytes = inspection.bytes;
        bytes = files.ReadBytes(path, 0, kPictureHeadBytes);
        // A file whose signature names no picture is refused on its head alone: a large file
        // of another kind under a picture's name is not read whole at the end of the session.
        if (bytes.size() == kPictureHeadBytes &&
            PictureContentOf(bytes) != PictureContent::Unknown) {
            const auto rest = files.ReadBytes(path, kPictureHeadBytes,
                                              kMaxPictureFileBytes + 1 - kPictureHeadBytes);
            bytes.insert(bytes.end(), rest.begin(), rest.end());
        }
    });
    inspection.header = ReadPictureHeader(Head(inspection.bytes, kPictureHeaderBytes));
    inspection.orientation = ExifOrientation(Head(inspection.bytes, kPictureHeadBytes));
    if (inspection.bytes.size() > kMaxPictureFileBytes) {
        inspection.header.size.reset();
        inspection.header.refusal = L"The file is too large for a picture.";
    }
    if (inspection.header.refusal) {
        inspection.bytes = {};
    }
    return inspection;
}

}  // namespace show
