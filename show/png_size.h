#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace show {

// Reads a PNG file's width and height from its header. Each output is written only when
// its value was read: a missing file, a wrong signature or a file too short for the header
// leave both as they are. A value above 32767 raises platform::Error (overflow) and stores
// nothing; the width is stored before the height is looked at.
void GetPngSize(const platform::FileSystem& files, const std::wstring& path, std::int16_t& width,
                std::int16_t& height);

}  // namespace show
