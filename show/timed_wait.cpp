#include "show/timed_wait.h"

#include <algorithm>

#include "config/number_text.h"

namespace show {
namespace {

constexpr float kTurnMilliseconds = 100.0F;
constexpr float kSecondsPerDay = 86400.0F;

}  // namespace

float SteadyClock::Now() {
    const float reading = process_.TimeOfDay();
    if (reading < last_) {
        // Past midnight the day goes on exactly; a clock set back carries on from the last
        // reading, so that the turn in which it was set counts for nothing.
        carried_ += last_ - reading > kSecondsPerDay / 2 ? kSecondsPerDay : last_ - reading;
    }
    last_ = reading;
    return reading + carried_;
}

std::int32_t StartMark(float timeOfDay) {
    return static_cast<std::int32_t>(config::RoundHalfEven(static_cast<double>(timeOfDay)));
}

float WaitEnd(const SteadyClock& clock, float seconds) {
    return static_cast<float>(StartMark(clock.First())) + std::min(seconds, kLongestShowSeconds);
}

void WaitUntil(platform::Process& process, SteadyClock& clock, float end,
               const CutShort& cutShort) {
    for (;;) {
        const float left = (end - clock.Now()) * 1000.0F;
        if (left <= 0.0F) {
            return;
        }
        process.PumpEvents();
        if (cutShort && cutShort()) {
            return;
        }
        // Woken at once by window events, so the turn can be long; the last one ends on time.
        process.WaitForEvent(static_cast<unsigned>(std::clamp(left, 1.0F, kTurnMilliseconds)));
    }
}

void TimedWait(platform::Process& process, float seconds, const CutShort& cutShort) {
    SteadyClock clock(process);
    WaitUntil(process, clock, WaitEnd(clock, seconds), cutShort);
}

}  // namespace show
