#include "show/desktop_wait.h"

#include "show/timed_wait.h"

namespace show {
namespace {

constexpr unsigned kTurnMilliseconds = 100;

}  // namespace

void WaitForDesktop(platform::Process& process, const platform::SignIn& signIn) {
    SteadyClock clock(process);
    const float end = clock.First() + kDesktopWaitSeconds;
    while (!signIn.DesktopReady() && clock.Now() < end) {
        process.PumpEvents();
        process.WaitForEvent(kTurnMilliseconds);
    }
}

}  // namespace show
