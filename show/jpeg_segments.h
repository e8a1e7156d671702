#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace show {

// A marker segment of a JPEG file: its marker byte, where its body starts (past the two
// length bytes) and where it ends. The end may lie past the bytes at hand.
struct JpegSegment {
    std::uint8_t marker = 0;
    std::size_t body = 0;
    std::size_t end = 0;
};

// Walks the segments after the start-of-image marker as the common decoders do (stray bytes
// and fill bytes before a marker skipped, markers without a length passed over) and answers
// the first one `wanted` accepts. Nothing when the picture data, an end or a second start
// comes first, a length is below its own two bytes, the bytes end, or they do not begin with
// the start-of-image marker.
std::optional<JpegSegment> FindJpegSegment(std::span<const std::uint8_t> bytes,
                                           const std::function<bool(const JpegSegment&)>& wanted);

}  // namespace show
