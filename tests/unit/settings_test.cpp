#include "config/settings.h"

#include <gtest/gtest.h>

#include <utility>

#include "config/ini_mod.h"
#include "fake_os.h"
#include "platform/error.h"

namespace {

using config::Settings;

TEST(LoadSettingsTest, NoFileGivesDefaults) {
    fake::Os os;
    config::ReadSettings(os.platform);
    EXPECT_EQ(IniMod::IniFile(), L"C:\\Program Files\\Kestro\\kestro.ini");
    EXPECT_EQ(Settings().MediaFile, L"");
    EXPECT_EQ(Settings().Time, 3.0F);
    EXPECT_EQ(Settings().Width, 0);
    EXPECT_EQ(Settings().Height, 0);
}

TEST(LoadSettingsTest, ReadsAndConvertsEachKey) {
    const struct {
        const wchar_t* time;
        const wchar_t* width;
        const wchar_t* height;
        float expectedTime;
        std::int16_t expectedWidth;
        std::int16_t expectedHeight;
    } cases[] = {
        {L"2.5", L"640", L"480", 2.5F, 640, 480},
        {L"", L"", L"", 0.0F, 0, 0},  // present but empty: no default, nothing converts
        {L"abc", L"2.5", L"3.5", 0.0F, 2, 4},
        {L"10", L"-1", L"40000", 10.0F, -1, 0},
        {L"３", L"６４０", L"４８０", 3.0F, 640, 480},  // typed in full width
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", L"C:\\写真\\bye.png");
        os.SetIni(L"Time", c.time);
        os.SetIni(L"Width", c.width);
        os.SetIni(L"Height", c.height);
        config::ReadSettings(os.platform);
        EXPECT_EQ(Settings().MediaFile, L"C:\\写真\\bye.png");
        EXPECT_EQ(Settings().Time, c.expectedTime) << fake::Narrow(c.time);
        EXPECT_EQ(Settings().Width, c.expectedWidth) << fake::Narrow(c.width);
        EXPECT_EQ(Settings().Height, c.expectedHeight) << fake::Narrow(c.height);
    }
}

TEST(LoadSettingsTest, ValueThatDoesNotConvertKeepsTheEarlierLoad) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\a.png");
    os.SetIni(L"Time", L"5");
    os.SetIni(L"Width", L"300");
    os.SetIni(L"Height", L"200");
    config::ReadSettings(os.platform);

    os.SetIni(L"MediaFile", L"C:\\b.jpg");
    os.SetIni(L"Time", L"x");
    os.SetIni(L"Width", L"");
    os.SetIni(L"Height", L"99999");
    config::ReadSettings(os.platform);
    EXPECT_EQ(Settings().MediaFile, L"C:\\b.jpg");
    EXPECT_EQ(Settings().Time, 5.0F);
    EXPECT_EQ(Settings().Width, 300);
    EXPECT_EQ(Settings().Height, 200);

    // A missing Time key falls back to its default of 3 even on a later load.
    os.profile.files[os.IniPath()][L"Kestro"].erase(L"Time");
    config::ReadSettings(os.platform);
    EXPECT_EQ(Settings().Time, 3.0F);
}

TEST(LoadSettingsTest, FlagsTakeOnlyZeroOrOne) {
    const struct {
        const wchar_t* value;  // null: the key is missing
        bool expected;
    } cases[] = {
        {L"1", true}, {L"0", false}, {nullptr, false}, {L"yes", true}, {L"", true},
    };
    for (const auto& [key, flag] : {std::pair{L"LimitMedia", &config::SettingsValues::LimitMedia},
                                    std::pair{L"Backdrop", &config::SettingsValues::Backdrop}}) {
        fake::Os os;
        for (const auto& c : cases) {
            // Each value follows a load of 1, so a refused value shows as the 1 it kept.
            os.SetIni(key, L"1");
            config::ReadSettings(os.platform);
            if (c.value == nullptr) {
                os.profile.files[os.IniPath()][L"Kestro"].erase(key);
            } else {
                os.SetIni(key, c.value);
            }
            config::ReadSettings(os.platform);
            EXPECT_EQ(Settings().*flag, c.expected)
                << fake::Narrow(key) << " " << (c.value ? fake::Narrow(c.value) : "missing");
        }
    }
}

TEST(IniModTest, ReadIniUsesTheFileSetAndItsDefault) {
    fake::Os os;
    IniMod::SetIniFile(L"C:\\other.ini");
    os.profile.files[L"C:\\other.ini"][L"Kestro"][L"Time"] = L"7";
    EXPECT_EQ(IniMod::ReadIni(os.profile, L"Kestro", L"Time", L"3"), L"7");
    EXPECT_EQ(IniMod::ReadIni(os.profile, L"Kestro", L"Width", L"3"), L"3");
    EXPECT_EQ(IniMod::ReadIni(os.profile, L"Kestro", L"Width", std::nullopt), L"");
    EXPECT_EQ(IniMod::ReadIni(os.profile, L"Other", L"Time", std::nullopt), L"");
    const std::wstring longValue(300, L'x');
    os.profile.files[L"C:\\other.ini"][L"Kestro"][L"MediaFile"] = longValue;
    EXPECT_EQ(IniMod::ReadIni(os.profile, L"Kestro", L"MediaFile", std::nullopt), longValue);

    IniMod::WriteIni(os.profile, L"Kestro", L"Width", L"12");
    EXPECT_EQ(os.profile.files[L"C:\\other.ini"][L"Kestro"][L"Width"], L"12");
    os.profile.failWrites = true;
    EXPECT_THROW(IniMod::WriteIni(os.profile, L"Kestro", L"Width", L"1"), platform::Error);
}

TEST(LoadSettingsTest, ReadsAUtf8FileItself) {
    // The profile functions of Windows would read it in the code page: its values are looked
    // up in its text instead, and the stand-in's profile values must not be seen.
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\wrong.png");
    const std::string text =
        "\xEF\xBB\xBF[Kestro]\r\nMediaFile=C:\\\xF0\x9F\x8C\x85 "
        "\xEC\x95\x88.png\r\nwidth = 640\r\n";
    os.profile.bytes[os.IniPath()].assign(text.begin(), text.end());
    config::ReadSettings(os.platform);
    EXPECT_EQ(fake::Narrow(Settings().MediaFile), fake::Narrow(L"C:\\\U0001F305 \uC548.png"));
    EXPECT_EQ(Settings().Time, 3.0F);
    EXPECT_EQ(Settings().Width, 640);
}

}  // namespace
