#include "platform/win32/session/process.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessTest, KnowsItselfFromTheVersionResource) {
    const win32::Process process(L"/Start now");
    EXPECT_EQ(process.CommandLine(), L"/Start now");
    EXPECT_EQ(process.Title(), L"Kestro");
    EXPECT_EQ(process.VersionMajor(), 2);
    EXPECT_EQ(process.VersionMinor(), 1);
    EXPECT_EQ(process.ExeName(), L"kestro_win32_tests");
    EXPECT_FALSE(process.AppPath().empty());
    EXPECT_NE(process.AppPath().back(), L'\\');
}

TEST(ProcessTest, SecondInstanceOfTheSameExecutableIsSeen) {
    const win32::Process first(L"");
    const win32::Process second(L"");
    EXPECT_FALSE(first.PreviousInstance());
    EXPECT_TRUE(second.PreviousInstance());
}

TEST(ProcessTest, TimeOfDayIsSecondsSinceMidnight) {
    const win32::Process process(L"");
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const float expected = static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond);
    EXPECT_NEAR(process.TimeOfDay(), expected, 2.0F);
}

}  // namespace

// A posted message wakes the wait at once; a quit message that PumpEvents put back for the
// message loop must not, or the wait would spin for the rest of the show.
TEST(ProcessTest, WaitForEventWakesOnNewEventsOnly) {
    MSG message{};
    // Earlier tests' windows may have ended the message loop.
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    win32::Process process(L"");
    const auto waited = [&] {
        const ULONGLONG start = GetTickCount64();
        process.WaitForEvent(400);
        return GetTickCount64() - start;
    };
    const struct {
        const char* name;
        void (*before)();
        bool wakes;
    } cases[] = {
        {"nothing pending", [] {}, false},
        {"message posted", [] { PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0); }, true},
        {"quit put back", [] { PostQuitMessage(3); }, false},
    };
    for (const auto& c : cases) {
        process.PumpEvents();
        c.before();
        // Generous bounds: the machine that runs the tests is busy.
        if (c.wakes) {
            EXPECT_LT(waited(), 200U) << c.name;
        } else {
            process.PumpEvents();
            EXPECT_GE(waited(), 300U) << c.name;
        }
    }
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3U);
}
