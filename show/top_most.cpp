#include "show/top_most.h"

#include "platform/error.h"

namespace show {

void ShowTopMost(platform::ShowWindow& window) {
    using platform::IgnoreErrors;
    // Centred for the final size, so that a large picture or video is not pushed off the
    // screen.
    IgnoreErrors([&] { window.CenterOnScreen(); });
    IgnoreErrors([&] { window.Show(); });
    IgnoreErrors([&] { window.MakeTopMost(); });
}

}  // namespace show
