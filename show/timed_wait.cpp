#include "show/timed_wait.h"

#include "config/number_text.h"

namespace show {

std::int32_t StartMark(float timeOfDay) {
    return static_cast<std::int32_t>(config::RoundHalfEven(static_cast<double>(timeOfDay)));
}

void TimedWait(platform::Process& process, float seconds) {
    float last = process.TimeOfDay();
    const float end = static_cast<float>(StartMark(last)) + seconds;
    float carried = 0.0F;
    auto now = [&] {
        const float reading = process.TimeOfDay();
        if (reading < last) {
            carried += last - reading;
        }
        last = reading;
        return reading + carried;
    };
    while (end > now()) {
        process.PumpEvents();
        process.Sleep(10);
    }
}

}  // namespace show
