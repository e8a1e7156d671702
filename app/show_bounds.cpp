#include "app/show_bounds.h"

#include <algorithm>

#include "show/still_picture.h"
#include "show/timed_wait.h"

namespace app {

ShowBounds BoundsFor(const config::SettingsValues& settings) {
    if (show::IsStillPicture(settings.MediaFile)) {
        const float time = std::clamp(settings.Time, 0.0F, show::kLongestShowSeconds);
        return {time + kShowMarginSeconds, std::nullopt};
    }
    return {show::kLongestShowSeconds + kShowMarginSeconds, kSilenceSeconds};
}

bool Overdue(const ShowBounds& bounds, float running, float silent) {
    return running >= bounds.longest || (bounds.silence && silent >= *bounds.silence);
}

}  // namespace app
