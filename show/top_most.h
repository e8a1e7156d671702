#pragma once

#include "platform/window_system.h"

namespace show {

// Sizes the picture box and the window around it to `size`; throws when the box cannot be
// sized.
void ResizeShow(platform::ShowWindow& window, platform::Size size);

// Centres the window for its final size, shows it (over a black backdrop when the settings
// ask for one) and puts it above the other windows. Each step that fails is skipped.
void ShowTopMost(platform::ShowWindow& window);

}  // namespace show
