#include "app/forms.h"

#include <memory>

namespace app {
namespace {

struct Forms {
    std::unique_ptr<show::ByeWindow> byeWindow;
    std::unique_ptr<settings_ui::Setting> setting;
};

Forms& TheForms() {
    static Forms forms;
    return forms;
}

}  // namespace

show::ByeWindow& TheByeWindow(platform::Platform& os) {
    auto& forms = TheForms();
    if (!forms.byeWindow) {
        forms.byeWindow = std::make_unique<show::ByeWindow>(os);
        forms.byeWindow->Load();
    }
    return *forms.byeWindow;
}

settings_ui::Setting& TheSetting(platform::Platform& os) {
    auto& forms = TheForms();
    if (!forms.setting) {
        forms.setting = std::make_unique<settings_ui::Setting>(os);
    }
    return *forms.setting;
}

void ResetForms() { TheForms() = Forms{}; }

}  // namespace app
