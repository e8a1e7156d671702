#include "show/exif_orientation.h"

#include <cstddef>
#include <string_view>

#include "show/byte_reader.h"
#include "show/jpeg_segments.h"

namespace show {
namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kIfdEntrySize = 12;

// The orientation entry of the first image directory of a TIFF block.
std::optional<platform::Orientation> TiffOrientation(ByteReader tiff) {
    using std::string_view_literals::operator""sv;
    if (tiff.Holds(0, "II*\0"sv)) {
        tiff.SetOrder(ByteOrder::LittleEndian);
    } else if (!tiff.Holds(0, "MM\0*"sv)) {
        return std::nullopt;
    }
    const auto directory = tiff.Number(4, 4);
    const auto count = directory ? tiff.Number(*directory, 2) : std::nullopt;
    if (!count) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::size_t entry = *directory + 2 + i * kIfdEntrySize;
        const auto tag = tiff.Number(entry, 2);
        const auto type = tiff.Number(entry + 2, 2);
        const auto values = tiff.Number(entry + 4, 4);
        const auto value = tiff.Number(entry + 8, 2);
        if (!tag || !type || !values || !value) {
            return std::nullopt;
        }
        if (*tag == kOrientationTag) {
            return *type == kShortType && *values == 1 ? platform::Orientation::FromExif(*value)
                                                       : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<platform::Orientation> ExifOrientation(std::span<const std::uint8_t> head) {
    using std::string_view_literals::operator""sv;
    const ByteReader file(head);
    // The EXIF block comes before the picture data.
    const auto exif = FindJpegSegment(head, [&](const JpegSegment& segment) {
        return segment.marker == kApp1 && segment.end <= head.size() &&
               file.Holds(segment.body, "Exif\0\0"sv);
    });
    if (!exif) {
        return std::nullopt;
    }
    return TiffOrientation(file.Window(exif->body + 6, exif->end));
}

}  // namespace show
