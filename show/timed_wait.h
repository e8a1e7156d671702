#pragma once

#include <cstdint>
#include <functional>

#include "platform/process.h"

namespace show {

// The longest a picture stays on screen, whatever the settings say: a longer one would hold
// up the end of the session for good.
inline constexpr float kLongestShowSeconds = 3600.0F;

// The time of day as a clock that never runs backwards: past local midnight it counts on
// into the next day; when the clock is set back it carries on from its last reading.
class SteadyClock {
  public:
    explicit SteadyClock(const platform::Process& process)
        : process_(process), first_(process.TimeOfDay()), last_(first_) {}

    // The reading taken when the clock was made.
    float First() const { return first_; }
    // Seconds on the time-of-day scale, from the first reading on.
    float Now();

  private:
    const platform::Process& process_;
    float first_;
    float last_;
    float carried_ = 0.0F;
};

// The time of day rounded to the whole second, a half going to the even second.
std::int32_t StartMark(float timeOfDay);

// Asked after each pump of a show's wait: the user has cut the show short.
using CutShort = std::function<bool()>;

// The end of a wait of `seconds` (at most kLongestShowSeconds) on the clock: that many seconds
// after the rounded start mark of its first reading.
float WaitEnd(const SteadyClock& clock, float seconds);

// Waits until the clock reads `end`, or until `cutShort` says so, as TimedWait does.
void WaitUntil(platform::Process& process, SteadyClock& clock, float end,
               const CutShort& cutShort = {});

// Waits until `seconds` (at most kLongestShowSeconds) have passed since the rounded start
// mark, or until `cutShort` says so, pumping events at least every tenth of a second and woken
// at once by new ones. A clock set back stretches the wait by one turn at most.
void TimedWait(platform::Process& process, float seconds, const CutShort& cutShort = {});

}  // namespace show
