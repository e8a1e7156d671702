#include "app/main.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_os.h"

namespace {

using app::RunMode;

TEST(RunModeTest, ComparesTheLowerCasedTextWhole) {
    const struct {
        const wchar_t* commandLine;
        RunMode mode;
    } cases[] = {
        {L"/start", RunMode::Start},        {L"/START", RunMode::Start},
        {L"/StArT", RunMode::Start},        {L"/test", RunMode::Test},
        {L"/TEST", RunMode::Test},          {L"", RunMode::Settings},
        {L" /start", RunMode::Settings},    {L"/start ", RunMode::Settings},
        {L"/start now", RunMode::Settings}, {L"start", RunMode::Settings},
        {L"/t", RunMode::Settings},         {L"\"/start\"", RunMode::Settings},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::SelectRunMode(c.commandLine), c.mode)
            << testing::PrintToString(c.commandLine);
    }
}

long Count(const fake::Log& log, const std::string& line) {
    return std::count(log.begin(), log.end(), line);
}

TEST(MainTest, StartLoadsTheHiddenWindowAndReturns) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.png");
    os.process.commandLine = L"/start";
    app::Main(os.platform);
    EXPECT_EQ(os.log, (fake::Log{"LoadByeWindow"}));
}

TEST(MainTest, SecondStartEndsBeforeLoadingTheWindow) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.png");
    os.process.commandLine = L"/start";
    os.process.previousInstance = true;
    EXPECT_THROW(app::Main(os.platform), fake::ProgramEnded);
    EXPECT_EQ(os.log, (fake::Log{"EndProgram"}));
}

TEST(MainTest, StartWithoutMediaFileOpensSettingsAndWaits) {
    fake::Os os;
    os.process.commandLine = L"/start";
    app::Main(os.platform);
    EXPECT_EQ(os.log, (fake::Log{"LoadSettingWindow", "Setting.Caption Kestro 2.1の設定",
                                 "SpecialFolderPath 7", "Setting.Show", "LoadByeWindow"}));
}

TEST(MainTest, TestRunsTheShowThroughTheUnload) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.bmp");
    os.SetIni(L"Time", L"1");
    os.windows.pictures[L"C:\\bye.bmp"] = {200, 120};
    os.process.commandLine = L"/TEST";
    EXPECT_THROW(app::Main(os.platform), fake::ProgramEnded);
    ASSERT_GE(os.log.size(), 3U);
    EXPECT_EQ(os.log[0], "LoadByeWindow");
    EXPECT_EQ(os.log[1], "Window.Unload");
    EXPECT_EQ(Count(os.log, "Window.Show"), 1);
    EXPECT_EQ(os.log.back(), "EndProgram");
}

TEST(MainTest, OtherCommandLinesOpenExactlyOneSettingsWindow) {
    for (const bool configured : {false, true}) {
        fake::Os os;
        if (configured) {
            os.SetIni(L"MediaFile", L"C:\\bye.png");
        }
        os.process.commandLine = L"/settings";
        app::Main(os.platform);
        EXPECT_EQ(os.windows.settingLoads, 1);
        EXPECT_EQ(Count(os.log, "LoadByeWindow"), 0);
        EXPECT_EQ(Count(os.log, "Setting.Show"), configured ? 1 : 2);
    }
}

TEST(MainTest, SettingsWindowIsLoadedAgainAfterItsCloseBox) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.png");
    app::Main(os.platform);
    os.windows.settingEvents->OnUnload();
    app::ShowSettings(os.platform);
    app::ShowSettings(os.platform);
    EXPECT_EQ(os.windows.settingLoads, 2);
}

}  // namespace
