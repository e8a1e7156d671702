#pragma once

#include "platform/window_system.h"

namespace show {

// Centres the window for its final size, shows it and puts it above the other windows. Each
// step that fails is skipped.
void ShowTopMost(platform::ShowWindow& window);

}  // namespace show
