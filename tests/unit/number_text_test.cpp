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

// As a Japanese input method types numbers.
TEST(NumberTextTest, FullWidthReadsAsAscii) {
    const struct {
        const wchar_t* text;
        std::optional<float> value;
    } cases[] = {{L"３", 3.0F},        {L"２．５", 2.5F}, {L"－．５", -0.5F}, {L"＋３Ｅ１", 30.0F},
                 {L"　１２　", 12.0F}, {L"３，５", {}},   {L"１２ａ", {}},    {L"٣", {}}};
    for (const auto& c : cases) {
        EXPECT_EQ(config::ParseSingle(c.text), c.value) << testing::PrintToString(c.text);
    }
}

TEST(NumberTextTest, SingleShowsSevenSignificantDigits) {
    const struct {
        float value;
        const wchar_t* text;
    } cases[] = {
        {3.0F, L"3"},
        {2.5F, L"2.5"},
        {0.0F, L"0"},
        {-0.0F, L"0"},
        {-1.5F, L"-1.5"},
        {0.1F, L"0.1"},
        {1.0F / 3.0F, L"0.3333333"},
        {2.0F / 3.0F, L"0.6666667"},
        {100.0F, L"100"},
        {1234567.0F, L"1234567"},
        {9999999.0F, L"9999999"},
        {10000000.0F, L"1E+07"},
        {12345678.0F, L"1.234568E+07"},
        {0.0001F, L"0.0001"},
        {0.00001F, L"1E-05"},
        {0.000015F, L"1.5E-05"},
        {std::numeric_limits<float>::max(), L"3.402823E+38"},
        {std::numeric_limits<float>::denorm_min(), L"1.401298E-45"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(config::SingleText(c.value), c.text) << "value: " << c.value;
        // What the window shows is what the next load reads, to the digits shown.
        const auto back = config::ParseSingle(c.text);
        ASSERT_TRUE(back.has_value()) << testing::PrintToString(c.text);
        EXPECT_EQ(config::SingleText(*back), c.text);
    }
}

}  // namespace
