#include "show/top_most.h"

#include "config/settings.h"
#include "platform/error.h"

namespace show {

void ResizeShow(platform::ShowWindow& window, platform::Size size) {
    auto& box = window.Picture1();
    box.Move(0, 0, size.width, size.height);
    // Borderless: the window is as large as the box that fills it.
    const auto inner = box.InnerSize();
    window.SetOuterSize(inner.width, inner.height);
}

void ShowTopMost(platform::ShowWindow& window) {
    using platform::IgnoreErrors;
    // Centred for the final size, so that a large picture or video is not pushed off the
    // screen.
    IgnoreErrors([&] { window.CenterOnScreen(); });
    // Before the window, so that the desktop is never seen around it first.
    if (config::Settings().Backdrop) {
        IgnoreErrors([&] { window.ShowBackdrop(); });
    }
    IgnoreErrors([&] { window.Show(); });
    IgnoreErrors([&] { window.MakeTopMost(); });
}

}  // namespace show
