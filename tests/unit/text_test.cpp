#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

TEST(TextTest, TrimNullAndAddBackslash) {
    using platform::AddBackslash;
    using platform::TrimNull;
    EXPECT_EQ(TrimNull(std::wstring(L"abc\0def", 7)), L"abc");
    EXPECT_EQ(TrimNull(std::wstring(L"\0abc", 4)), L"");
    EXPECT_EQ(TrimNull(L"abc"), L"abc");
    EXPECT_EQ(AddBackslash(L"C:\\Kestro"), L"C:\\Kestro\\");
    EXPECT_EQ(AddBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(AddBackslash(L""), L"\\");
}

TEST(TextTest, LowerCaseAndLastChars) {
    EXPECT_EQ(platform::LowerCase(L"/START Ü"), L"/start Ü");
    EXPECT_EQ(platform::LastChars(L"picture.PNG", 4), L".PNG");
    EXPECT_EQ(platform::LastChars(L"png", 4), L"png");
}

}  // namespace
