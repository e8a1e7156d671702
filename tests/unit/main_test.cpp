#include "app/main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "fake_os.h"
#include "picture_bytes.h"

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
        {L"/shutdown", RunMode::ShutDown},  {L"/ShutDown", RunMode::ShutDown},
        {L"/RESTART", RunMode::Restart},    {L"/logoff", RunMode::LogOff},
        {L"/LogOff", RunMode::LogOff},      {L" /logoff", RunMode::Settings},
        {L"/restart ", RunMode::Settings},  {L"/shutdown now", RunMode::Settings},
        {L"shutdown", RunMode::Settings},   {L"/shut down", RunMode::Settings},
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
    EXPECT_EQ(os.log, (fake::Log{"AskFirstAtSessionEnd", "ListenForCommand", "LoadByeWindow"}));
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
                                 "SpecialFolderPath 7", "Setting.Show", "AskFirstAtSessionEnd",
                                 "ListenForCommand", "LoadByeWindow"}));
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

// What a command did, in order, leaving out the timed wait's turns and the picture's steps.
fake::Log RunCommand(fake::Os& os, const wchar_t* commandLine) {
    os.process.commandLine = commandLine;
    EXPECT_THROW(app::Main(os.platform), fake::ProgramEnded);
    fake::Log steps;
    std::copy_if(os.log.begin(), os.log.end(), std::back_inserter(steps),
                 [](const std::string& line) { return line.rfind("Picture1.", 0) != 0; });
    return steps;
}

TEST(SessionCommandTest, ShowThenTellTheWaitingInstanceThenEndTheSession) {
    const struct {
        const wchar_t* commandLine;
        const wchar_t* mediaFile;
        fake::Log steps;
    } cases[] = {
        {L"/shutdown",
         L"C:\\bye.bmp",
         {"ClaimCommand", "LoadByeWindow", "LoadPicture C:\\bye.bmp", "Window.SetOuterSize 200 120",
          "Window.CenterOnScreen 200 120", "Window.Show", "Window.MakeTopMost", "AnnounceCommand",
          "EndSession shutdown", "EndProgram"}},
        {L"/Restart",
         L"C:\\bye.wav",
         {"ClaimCommand", "LoadByeWindow", "MCI open \"C:\\bye.wav\" alias kestro",
          "MCI play kestro notify", "MCI status kestro mode", "MCI close kestro", "AnnounceCommand",
          "EndSession restart", "EndProgram"}},
        // Nothing to show: no settings window either, the session ends at once.
        {L"/logoff", L"", {"ClaimCommand", "AnnounceCommand", "EndSession logoff", "EndProgram"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", c.mediaFile);
        os.SetIni(L"Time", L"1");
        os.windows.pictures[L"C:\\bye.bmp"] = {200, 120};
        os.files.files[L"C:\\bye.bmp"] = picture_bytes::Bmp(200, 120);
        EXPECT_EQ(RunCommand(os, c.commandLine), c.steps) << fake::Narrow(c.commandLine);
        EXPECT_EQ(os.windows.settingLoads, 0);
    }
}

TEST(SessionCommandTest, ASecondCommandEndsAtOnce) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.bmp");
    os.session.otherCommandRuns = true;
    EXPECT_EQ(RunCommand(os, L"/shutdown"), (fake::Log{"ClaimCommand", "EndProgram"}));
}

TEST(SessionCommandTest, AFailedEndOfSessionIsShownOnceAndWithdrawn) {
    fake::Os os;
    os.session.endFails = true;
    EXPECT_EQ(RunCommand(os, L"/restart"),
              (fake::Log{"ClaimCommand", "AnnounceCommand", "EndSession restart", "WithdrawCommand",
                         "ShowMessage 特権が保持されていません。", "EndProgram"}));
    EXPECT_FALSE(os.session.announced);
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].title, L"Kestro");
    EXPECT_EQ(os.messages.shown[0].style, 48);
}

}  // namespace
