#pragma once

#include <cstdint>

#include "platform/process.h"

namespace show {

// The time of day rounded to the whole second, a half going to the even second.
std::int32_t StartMark(float timeOfDay);

// Waits until `seconds` have passed since the rounded start mark, pumping events and
// sleeping 10 ms a turn. The clock it reads never runs backwards: when the time of day falls
// (local midnight, or the clock set back) the wait carries on from the last reading, so it
// ends `seconds` after the mark like any other and cannot be stretched by a clock change.
void TimedWait(platform::Process& process, float seconds);

}  // namespace show
