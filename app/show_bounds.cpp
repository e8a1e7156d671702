#include "app/show_bounds.h"

#include <algorithm>

#include "show/picture_with_sound.h"
#include "show/still_picture.h"
#include "show/timed_wait.h"

namespace app {

ShowBounds BoundsFor(const std::wstring& file, const std::wstring& sound,
                     const config::SettingsValues& settings) {
    const float timed =
        std::clamp(settings.Time, 0.0F, show::kLongestShowSeconds) + kShowMarginSeconds;
    if (show::IsStillPicture(file) && !show::PlaysWithPicture(sound)) {
        return {timed, std::nullopt};
    }
    return {settings.LimitMedia ? timed : show::kLongestShowSeconds + kShowMarginSeconds,
            kSilenceSeconds};
}

bool Overdue(const ShowBounds& bounds, float running, float silent) {
    return running >= bounds.longest || (bounds.silence && silent >= *bounds.silence);
}

}  // namespace app
