#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace show {

// Shows a still picture through the system's imaging decoder, upright as its EXIF orientation
// says: at its natural size when `Width` is 0, else stretched to `Width` x `Height`. A file
// whose header the check refuses, or that no decoder takes, leaves the box empty, as any
// undecodable picture does. `head` is the file's start.
void ShowDecodedPicture(platform::Platform& os, platform::PictureBox& box, const std::wstring& path,
                        const std::vector<std::uint8_t>& head);

}  // namespace show
