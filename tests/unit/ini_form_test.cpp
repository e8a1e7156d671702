#include "config/ini_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(IniFormTest, UnicodeFormsKeepEveryCharacter) {
    // A sunset emoji (beyond U+FFFF), Hangul and Japanese, and bytes that are no UTF-8.
    const std::wstring text = L"C:\\写真\\\U0001F305 안녕.png";
    const std::string utf8 =
        "\xEF\xBB\xBF"
        "C:\\\xE5\x86\x99\xE7\x9C\x9F\\\xF0\x9F\x8C\x85 "
        "\xEC\x95\x88\xEB\x85\x95.png";
    EXPECT_EQ(fake::Narrow(config::Utf8FileText(Bytes(utf8))), fake::Narrow(text));
    EXPECT_EQ(config::Utf8FileText(Bytes("a\xC0\xAF"
                                         "b\xE3\x81"
                                         "c\xED\xA0\x80")),
              L"a\uFFFD\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(config::Utf16LeFile(L"A\U0001F305\uC548"),
              Bytes(std::string("\xFF\xFE"
                                "A\0\x3C\xD8\x05\xDF\x48\xC5",
                                10)));
}

TEST(IniFormTest, FindsValuesAsTheProfileFunctionsDo) {
    const std::wstring text =
        L"; comment\r\n[Other]\r\nMediaFile=wrong\r\n  [ kestro ]  \n"
        L"  mediafile = \"C:\\my media\\\U0001F305.png\" \r\nTime='2'\rWidth=\"640\r\n"
        L"Height=\r\nTime=9\r\n[Kestro]\r\nLast=1";
    const struct {
        const wchar_t* section;
        const wchar_t* key;
        std::optional<std::wstring> value;
    } cases[] = {
        {L"Kestro", L"MediaFile", L"C:\\my media\\\U0001F305.png"},
        {L"Kestro", L"Time", L"2"},
        {L"Kestro", L"Width", L"\"640"},
        {L"Kestro", L"Height", L""},
        {L"Kestro", L"Last", L"1"},
        {L"Kestro", L"Missing", std::nullopt},
        {L"Other", L"Time", std::nullopt},
        {L"Missing", L"MediaFile", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(config::FindIniValue(text, c.section, c.key), c.value) << fake::Narrow(c.key);
    }
}

}  // namespace
