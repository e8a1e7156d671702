#pragma once

#include <cstdint>
#include <span>

namespace show {

// Reads a PNG file's width and height from its first bytes. Each output is written only when
// its value was read: no bytes, a wrong signature or bytes too short for the header leave both
// as they are. A value above 32767 raises platform::Error (overflow) and stores nothing; the
// width is stored before the height is looked at.
void GetPngSize(std::span<const std::uint8_t> head, std::int16_t& width, std::int16_t& height);

}  // namespace show
