#include "fake_os.h"

#include "app/forms.h"
#include "config/ini_mod.h"
#include "config/settings.h"
#include "config/startup.h"

namespace fake {

Os::Os() {
    shell.folders[platform::kStartupFolder] = kStartupFolder;
    profile.log = &log;
    app::ResetForms();
    config::Settings() = {};
    IniMod::SetIniFile(L"");
}

Os::~Os() { app::ResetForms(); }

}  // namespace fake
