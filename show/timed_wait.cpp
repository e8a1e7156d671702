#include "show/timed_wait.h"

#include <algorithm>

#include "config/number_text.h"

namespace show {

float SteadyClock::Now() {
    const float reading = process_.TimeOfDay();
    if (reading < last_) {
        carried_ += last_ - reading;
    }
    last_ = reading;
    return reading + carried_;
}

std::int32_t StartMark(float timeOfDay) {
    return static_cast<std::int32_t>(config::RoundHalfEven(static_cast<double>(timeOfDay)));
}

void TimedWait(platform::Process& process, float seconds) {
    SteadyClock clock(process);
    const float end =
        static_cast<float>(StartMark(clock.First())) + std::min(seconds, kLongestShowSeconds);
    while (end > clock.Now()) {
        process.PumpEvents();
        process.Sleep(10);
    }
}

}  // namespace show
