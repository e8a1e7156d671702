#include "settings_ui/moment_pages.h"

namespace settings_ui {
namespace {

using C = platform::SettingControl;

// The shut-down's file is the seed's box at the top, seen whatever the moment.
constexpr C kExit[] = {C::Label12, C::Label13, C::Text9, C::Command8};
constexpr C kSignIn[] = {C::Label7, C::Text5, C::Command4, C::Label14, C::Text10, C::Command9};
constexpr C kSignOut[] = {C::Label8,  C::Text6,  C::Command5, C::Label9,
                          C::Label15, C::Text11, C::Command10};
// The lock's file is a sound already.
constexpr C kLock[] = {C::Label10, C::Text7, C::Command6};
constexpr C kUnlock[] = {C::Label11, C::Text8, C::Command7, C::Label16, C::Text12, C::Command11};

}  // namespace

const std::array<MomentPage, 5>& MomentPages() {
    static const std::array<MomentPage, 5> pages = {{
        {kExit, C::Text1, std::nullopt, C::Text9},
        {kSignIn, C::Text5, std::nullopt, C::Text10},
        {kSignOut, C::Text6, C::Text1, C::Text11},
        {kLock, C::Text7, std::nullopt, std::nullopt},
        {kUnlock, C::Text8, std::nullopt, C::Text12},
    }};
    return pages;
}

}  // namespace settings_ui
