#include "show/timed_wait.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

TEST(TimedWaitTest, StartMarkRoundsHalfToEven) {
    const struct {
        float timeOfDay;
        std::int32_t mark;
    } cases[] = {{10.4F, 10}, {10.5F, 10}, {11.5F, 12}, {10.6F, 11}, {86399.5F, 86400}, {0.0F, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(show::StartMark(c.timeOfDay), c.mark) << c.timeOfDay;
    }
}

// The stand-in's clock moves only when the wait sleeps, so the elapsed time is exact.
double WaitedSeconds(double start, float seconds) {
    fake::Log log;
    fake::Process process(log);
    process.timeOfDay = start;
    show::TimedWait(process, seconds);
    double end = process.timeOfDay;
    if (end < start) {
        end += 86400.0;
    }
    // Events are handled at least every tenth of a second.
    EXPECT_NEAR(process.pumps, (end - start) * 10.0, 1.0);
    return end - start;
}

TEST(TimedWaitTest, EndsTimeSecondsAfterTheRoundedMark) {
    const struct {
        double start;
        float time;
        double waited;
    } cases[] = {
        {36000.0, 3.0F, 3.0},
        {36000.4, 3.0F, 2.6},
        {36000.6, 3.0F, 3.4},
        {36000.5, 3.0F, 2.5},
        {36001.5, 3.0F, 3.5},
        {36000.0, 2.5F, 2.5},
        {36000.0, 0.0F, 0.0},
        {36000.4, 0.0F, 0.0},
        {36000.6, 0.0F, 0.4},
        {36000.0, -5.0F, 0.0},
        {86399.0, 3.0F, 3.0},
        {86399.7, 3.0F, 3.3},
        {86390.0, 20.0F, 20.0},
        // At most an hour, whatever the settings say.
        {36000.0, 3600.0F, 3600.0},
        {36000.0, 3601.0F, 3600.0},
        {36000.0, 1e30F, 3600.0},
        {86000.0, 1e30F, 3600.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(WaitedSeconds(c.start, c.time), c.waited, 0.015)
            << "start " << c.start << " time " << c.time;
    }
}

// A clock set back (say at the end of daylight saving time) must not hold the shut-down.
class SetBackClock final : public platform::Process {
  public:
    std::wstring CommandLine() const override { return {}; }
    bool PreviousInstance() const override { return false; }
    std::wstring AppPath() const override { return {}; }
    std::wstring ExeName() const override { return {}; }
    std::wstring Title() const override { return {}; }
    int VersionMajor() const override { return 0; }
    int VersionMinor() const override { return 0; }
    std::uint16_t UserLanguage() const override { return 0; }
    std::intptr_t InstanceHandle() const override { return 0; }
    float TimeOfDay() const override { return static_cast<float>(now); }
    void PumpEvents() override {}
    void Sleep(unsigned milliseconds) override {
        now += milliseconds / 1000.0;
        elapsed += milliseconds / 1000.0;
        if (elapsed >= 1.0 && !setBack) {
            now -= 3600.0;
            setBack = true;
        }
    }
    [[noreturn]] void EndProgram() override { throw fake::ProgramEnded{}; }

    double now = 7200.0;
    double elapsed = 0.0;
    bool setBack = false;
};

TEST(TimedWaitTest, ClockSetBackDoesNotStretchTheWait) {
    SetBackClock clock;
    show::TimedWait(clock, 3.0F);
    EXPECT_TRUE(clock.setBack);
    // The turn in which the clock was set back counts for nothing: at most a tenth of a second.
    EXPECT_NEAR(clock.elapsed, 3.05, 0.055);
}

}  // namespace
