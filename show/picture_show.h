#pragma once

#include <string>

#include "platform/platform.h"

namespace show {

// Shows a still picture file in the show window: checked, decoded, sized (its own size, fitted
// to the screen, or the fixed size), drawn, centred and top-most. A picture that cannot be
// shown leaves the window empty at its size. Each step that fails is skipped.
void ShowStillPicture(platform::Platform& os, platform::ShowWindow& window,
                      const std::wstring& file);

}  // namespace show
