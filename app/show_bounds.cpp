#include "app/show_bounds.h"

#include <algorithm>

#include "show/still_picture.h"
#include "show/timed_wait.h"

namespace app {

ShowBounds BoundsFor(const std::wstring& file, float time) {
    if (show::IsStillPicture(file)) {
        return {std::clamp(time, 0.0F, show::kLongestShowSeconds) + kShowMarginSeconds,
                std::nullopt};
    }
    return {show::kLongestShowSeconds + kShowMarginSeconds, kSilenceSeconds};
}

bool Overdue(const ShowBounds& bounds, float running, float silent) {
    return running >= bounds.longest || (bounds.silence && silent >= *bounds.silence);
}

}  // namespace app
