#include "fake_os.h"

#include "app/forms.h"
#include "config/ini_mod.h"
#include "config/settings.h"
#include "config/startup.h"
#include "platform/texts.h"

namespace fake {

Os::Os() {
    shell.folders[platform::kStartupFolder] = kStartupFolder;
    profile.log = &log;
    app::ResetForms();
    config::Settings() = {};
    config::UseTrialSettings(L"");
    IniMod::SetIniFile(L"");
    platform::UseLanguage(platform::Language::Japanese);
}

Os::~Os() {
    app::ResetForms();
    platform::UseLanguage(platform::Language::Japanese);
}

}  // namespace fake
