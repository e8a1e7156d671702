#include "show/jpeg_segments.h"

#include "show/byte_reader.h"

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
    const ByteReader reader(bytes);
    if (reader.Number(0, 2) != (std::uint32_t{kMarker} << 8U | kStartOfImage)) {
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
        const auto length = reader.Number(at, 2);
        if (marker == kStartOfImage || marker == kEndOfImage || marker == kStartOfScan || !length ||
            *length < 2) {
            return std::nullopt;
        }
        const JpegSegment segment{marker, at + 2, at + *length};
        if (wanted(segment)) {
            return segment;
        }
        at = segment.end;
    }
}

}  // namespace show
