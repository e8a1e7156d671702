#include "show/exif_orientation.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "show/jpeg_segments.h"

namespace show {
namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kIfdEntrySize = 12;

// A window on the bytes that reads numbers in the TIFF block's byte order and answers
// nothing for reads past its end.
class Bytes {
  public:
    // A window reaching past the bytes, or ending before it begins, is cut to what is there.
    Bytes(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes),
          begin_(std::min(begin, bytes.size())),
          end_(std::clamp(end, begin_, bytes.size())) {}

    void SetLittleEndian(bool little) { little_ = little; }

    std::optional<std::uint32_t> Number(std::size_t offset, std::size_t size) const {
        if (offset > end_ - begin_ || size > end_ - begin_ - offset) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t index = little_ ? size - 1 - i : i;
            value = (value << 8) | bytes_[begin_ + offset + index];
        }
        return value;
    }

    bool Holds(std::size_t offset, std::string_view text) const {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = Number(offset + i, 1);
            if (!byte || *byte != static_cast<std::uint8_t>(text[i])) {
                return false;
            }
        }
        return true;
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t begin_;
    std::size_t end_;
    bool little_ = false;
};

// The orientation entry of the first image directory of a TIFF block.
int TiffOrientation(Bytes tiff) {
    using std::string_view_literals::operator""sv;
    if (tiff.Holds(0, "II*\0"sv)) {
        tiff.SetLittleEndian(true);
    } else if (!tiff.Holds(0, "MM\0*"sv)) {
        return 0;
    }
    const auto directory = tiff.Number(4, 4);
    const auto count = directory ? tiff.Number(*directory, 2) : std::nullopt;
    if (!count) {
        return 0;
    }
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::size_t entry = *directory + 2 + i * kIfdEntrySize;
        const auto tag = tiff.Number(entry, 2);
        const auto type = tiff.Number(entry + 2, 2);
        const auto values = tiff.Number(entry + 4, 4);
        const auto value = tiff.Number(entry + 8, 2);
        if (!tag || !type || !values || !value) {
            return 0;
        }
        if (*tag == kOrientationTag) {
            const bool valid = *type == kShortType && *values == 1 && *value >= 1 && *value <= 8;
            return valid ? static_cast<int>(*value) : 0;
        }
    }
    return 0;
}

}  // namespace

int ExifOrientation(const std::vector<std::uint8_t>& head) {
    using std::string_view_literals::operator""sv;
    const Bytes file(head, 0, head.size());
    // The EXIF block comes before the picture data.
    const auto exif = FindJpegSegment(head, [&](const JpegSegment& segment) {
        return segment.marker == kApp1 && segment.end <= head.size() &&
               file.Holds(segment.body, "Exif\0\0"sv);
    });
    return exif ? TiffOrientation(Bytes(head, exif->body + 6, exif->end)) : 0;
}

}  // namespace show
