#include "show/jpeg_segments.h"

namespace show {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

bool StandsAlone(std::uint8_t marker) {
    // RST0-RST7 and TEM carry no length.
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

}  // namespace

std::optional<JpegSegment> FindJpegSegment(std::span<const std::uint8_t> bytes,
                                           const std::function<bool(const JpegSegment&)>& wanted) {
    if (bytes.size() < 2 || bytes[0] != kMarker || bytes[1] != kStartOfImage) {
        return std::nullopt;
    }
    std::size_t at = 2;
    for (;;) {
        // FF 00 is no marker.
        while (at < bytes.size() && bytes[at] != kMarker) {
            ++at;
        }
        while (at < bytes.size() && bytes[at] == kMarker) {
            ++at;
        }
        if (at >= bytes.size()) {
            return std::nullopt;
        }
        const std::uint8_t marker = bytes[at++];
        if (marker == 0 || StandsAlone(marker)) {
            continue;
        }
        if (marker == kStartOfImage || marker == kEndOfImage || marker == kStartOfScan ||
            at + 2 > bytes.size()) {
            return std::nullopt;
        }
        const std::size_t length = (std::size_t{bytes[at]} << 8) | bytes[at + 1];
        if (length < 2) {
            return std::nullopt;
        }
        const JpegSegment segment{marker, at + 2, at + length};
        if (wanted(segment)) {
            return segment;
        }
        at = segment.end;
    }
}

}  // namespace show
