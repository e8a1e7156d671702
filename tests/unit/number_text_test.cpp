#include "config/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NumberTextTest, Int16ConvertsRoundingHalfToEven) {
    const struct {
        const wchar_t* text;
        std::optional<std::int16_t> value;
    } cases[] = {
        {L"640", 640},     {L"0", 0},
        {L"-1", -1},       {L"2.5", 2},
        {L"3.5", 4},       {L"-2.5", -2},
        {L"2.51", 3},      {L" 12 ", 12},
        {L"+7", 7},        {L"1e2", 100},
        {L"32767", 32767}, {L"-32768", -32768},
        {L"32767.5", {}},  {L"-32768.5", -32768},
        {L"40000", {}},    {L"-40000", {}},
        {L"", {}},         {L"abc", {}},
        {L"12abc", {}},    {L".", {}},
        {L"0x10", {}},     {L"inf", {}},
        {L"nan", {}},      {L"1e", {}},
        {L"1 2", {}},      {L"- 1", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(config::ParseInt16(c.text), c.value)
            << "text: " << testing::PrintToString(c.text);
    }
}

TEST(NumberTextTest, SingleConverts) {
    const struct {
        const wchar_t* text;
        std::optional<float> value;
    } cases[] = {
        {L"3", 3.0F}, {L"2.5", 2.5F}, {L"-1", -1.0F}, {L".5", 0.5F}, {L"5.", 5.0F},
        {L"0", 0.0F}, {L"", {}},      {L"abc", {}},   {L"1e39", {}}, {L"2,5", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(config::ParseSingle(c.text), c.value)
            << "text: " << testing::PrintToString(c.text);
    }
}

}  // namespace
