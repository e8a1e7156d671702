#pragma once

#include <optional>
#include <string>

#include "config/settings.h"

namespace app {

// How long a session command lets its show process run before it ends the show itself and
// goes on to end the session.
struct ShowBounds {
    // Seconds after the show process started.
    float longest = 0.0F;
    // Seconds in which the show's window has not answered; none where answers are not asked.
    std::optional<float> silence;
};

// Over a still picture's time: starting the process, reading and decoding the picture. A
// sound or video has no time of its own, only the one-hour cap with the same margin.
inline constexpr float kShowMarginSeconds = 15.0F;
// Twice the time after which Windows itself calls a window not responding.
inline constexpr float kSilenceSeconds = 10.0F;

// A still picture is bounded by its time alone: decoding it may keep its window from answering
// for a while. A sound or video, and a picture with its sound, play for as long as the sound or
// video lasts (with LimitMedia, Time at most), as long as the show's window answers.
ShowBounds BoundsFor(const std::wstring& file, const std::wstring& sound,
                     const config::SettingsValues& settings);

// The show has run past its bounds after `running` seconds, the last `silent` of them without
// an answer from its window.
bool Overdue(const ShowBounds& bounds, float running, float silent);

}  // namespace app
