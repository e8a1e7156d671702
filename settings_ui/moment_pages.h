#pragma once

#include <array>
#include <optional>
#include <span>

#include "platform/window_system.h"

namespace settings_ui {

// One moment of the settings window's list: the controls of its page, shown only while it is
// selected, and the boxes that hold its file and the sound played with it.
struct MomentPage {
    std::span<const platform::SettingControl> controls;
    platform::SettingControl file;
    // Read in place of `file` when that is empty: a sign-out without a file of its own shows
    // the shut-down's.
    std::optional<platform::SettingControl> fileWhenEmpty;
    std::optional<platform::SettingControl> sound;
};

// In the list's order: shut-down, sign-in, sign-out, lock, unlock.
const std::array<MomentPage, 5>& MomentPages();

}  // namespace settings_ui
