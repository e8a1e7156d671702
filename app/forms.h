#pragma once

#include "platform/platform.h"
#include "settings_ui/setting.h"
#include "show/bye_window.h"

namespace app {

// The process's one exit-show window and one settings window, each loaded on first use and
// kept to the end of the process.
show::ByeWindow& TheByeWindow(platform::Platform& os);
settings_ui::Setting& TheSetting(platform::Platform& os);

// Drops both windows, so that each test starts as a fresh process would.
void ResetForms();

}  // namespace app
