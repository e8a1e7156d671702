#include "platform/win32/process.h"

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
