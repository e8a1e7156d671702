#include "app/main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "app/forms.h"
#include "fake_os.h"
#include "picture_bytes.h"

namespace {

using app::RunMode;

TEST(RunModeTest, ComparesTheLowerCasedTextWhole) {
    const struct {
        const wchar_t* commandLine;
        RunMode mode;
    } cases[] = {
        {L"/start", RunMode::Start},
        {L"/START", RunMode::Start},
        {L"/StArT", RunMode::Start},
        {L"/test", RunMode::Test},
        {L"/TEST", RunMode::Test},
        {L"", RunMode::Settings},
        {L" /start", RunMode::Settings},
        {L"/start ", RunMode::Settings},
        {L"/start now", RunMode::Settings},
        {L"start", RunMode::Settings},
        {L"/t", RunMode::Settings},
        {L"\"/start\"", RunMode::Settings},
        {L"/shutdown", RunMode::ShutDown},
        {L"/ShutDown", RunMode::ShutDown},
        {L"/RESTART", RunMode::Restart},
        {L"/logoff", RunMode::LogOff},
        {L"/LogOff", RunMode::LogOff},
        {L" /logoff", RunMode::Settings},
        {L"/restart ", RunMode::Settings},
        {L"/shutdown now", RunMode::Settings},
        {L"shutdown", RunMode::Settings},
        {L"/shut down", RunMode::Settings},
        {L"/Kestro-Command-Show", RunMode::CommandShow},
        {L"/kestro-sign-out-show", RunMode::SignOutShow},
        {L"/KESTRO-SIGN-IN-SHOW", RunMode::SignInShow},
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
    os.windows.pictures[picture_bytes::Bmp(200, 120)] = {200, 120};
    os.process.commandLine = L"/TEST";
    EXPECT_THROW(app::Main(os.platform), fake::ProgramEnded);
    ASSERT_GE(os.log.size(), 3U);
    EXPECT_EQ(os.log[0], "LoadByeWindow");
    EXPECT_EQ(os.log[1], "Window.Unload");
    EXPECT_EQ(Count(os.log, "Window.Show"), 1);
    EXPECT_EQ(os.log.back(), "EndProgram");
}

TEST(MainTest, NothingToShowOrNoCommandToShowForLeavesTheSettingsWindowOpen) {
    for (const auto* commandLine : {L"/test", app::kCommandShowArgument}) {
        fake::Os os;
        os.SetIni(L"MediaFile", commandLine == app::kCommandShowArgument ? L"C:\\bye.bmp" : L"");
        os.process.commandLine = commandLine;
        app::Main(os.platform);
        EXPECT_EQ(os.windows.settingLoads, 1);
        EXPECT_EQ(Count(os.log, "LoadByeWindow"), 0);
    }
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

TEST(SessionCommandTest, TheShowProcessEndsWithinItsBoundsThenTheSessionEnds) {
    const struct {
        const char* name;
        const wchar_t* mediaFile;
        const wchar_t* time;
        int endsAfterWaits;  // negative: never by itself; 0: cannot start
        bool answers;
        double seconds;  // the command waited for the show, and ended it unless it ended
    } cases[] = {
        {"ends, or crashes", L"C:\\bye.bmp", L"2", 25, false, 2.5},
        {"cannot start", L"C:\\bye.bmp", L"2", 0, true, 0},
        {"picture past Time + 15 s", L"C:\\bye.bmp", L"2", -1, false, 17},
        {"picture time capped", L"C:\\bye.png", L"99999", -1, true, 3615},
        {"sound that stops answering", L"C:\\bye.wav", L"2", -1, false, 10},
        {"video that answers for ever", L"C:\\bye.avi", L"2", -1, true, 3615},
        {"no media file: no show, no settings window", L"", L"2", 0, true, 0},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", c.mediaFile);
        os.SetIni(L"Time", c.time);
        os.showProcess.startFails = c.endsAfterWaits == 0;
        os.showProcess.endsAfterWaits = c.endsAfterWaits;
        os.showProcess.answers = c.answers;
        fake::Log steps{"ClaimCommand"};
        if (*c.mediaFile != 0) {
            steps.emplace_back("StartShow");
        }
        if (c.endsAfterWaits < 0) {
            steps.emplace_back("EndShow");
        }
        steps.insert(steps.end(), {"AnnounceCommand", "EndSession shutdown", "EndProgram"});
        EXPECT_EQ(RunCommand(os, L"/ShutDown"), steps) << c.name;
        EXPECT_NEAR(os.showProcess.waits / 10.0, c.seconds, 0.15) << c.name;
        EXPECT_EQ(os.windows.settingLoads, 0) << c.name;
    }
}

TEST(SessionCommandTest, AnInstallerClosingTheCommandEndsItsShowAndNotTheSession) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.wav");
    os.showProcess.endsAfterWaits = -1;
    os.showProcess.closeAfterWaits = 3;
    EXPECT_EQ(RunCommand(os, L"/logoff"),
              (fake::Log{"ClaimCommand", "StartShow", "EndShow", "EndProgram"}));
}

TEST(SessionCommandTest, TheShowProcessShowsAndNeverOpensTheSettingsWindow) {
    for (const auto* mediaFile : {L"C:\\bye.bmp", L""}) {
        fake::Os os;
        os.SetIni(L"MediaFile", mediaFile);
        os.windows.pictures[picture_bytes::Bmp(200, 120)] = {200, 120};
        os.files.files[L"C:\\bye.bmp"] = picture_bytes::Bmp(200, 120);
        os.session.otherCommandRuns = true;
        os.process.commandLine = app::kCommandShowArgument;
        EXPECT_THROW(app::Main(os.platform), fake::ProgramEnded);
        EXPECT_EQ(Count(os.log, "Window.Show"), *mediaFile != 0 ? 1 : 0);
        EXPECT_EQ(os.windows.settingLoads, 0);
    }
}

struct MomentFiles {
    const wchar_t* media;
    const wchar_t* logon;  // null: the key is missing
    const wchar_t* logoff;
};

// The file that a process of the command line plays, or, with a request, what the close
// handler of the waiting instance plays; empty when nothing played. A process that a show
// process is started for stands in for it, asked for by its command or offered by "/start".
std::string Plays(const MomentFiles& files, const std::wstring& commandLine,
                  std::optional<platform::CloseRequest> request = std::nullopt) {
    fake::Os os;
    os.SetIni(L"MediaFile", files.media);
    for (const auto& key :
         {std::pair{L"LogonFile", files.logon}, std::pair{L"LogoffFile", files.logoff}}) {
        if (key.second != nullptr) {
            os.SetIni(key.first, key.second);
        }
    }
    os.session.otherCommandRuns =
        commandLine == app::kCommandShowArgument || commandLine == app::kSignOutShowArgument;
    os.session.signInOffered = commandLine == app::kSignInShowArgument;
    os.process.commandLine = commandLine;
    try {
        app::Main(os.platform);
        if (request) {
            app::TheByeWindow(os.platform).OnCloseRequest(*request);
        }
    } catch (const fake::ProgramEnded&) {
    }
    if (!request && !os.showProcess.argument.empty()) {
        // A session command ends the session whatever its show did.
        EXPECT_EQ(Count(os.log, "EndSession " + fake::Narrow(commandLine.substr(1))),
                  commandLine == L"/start" ? 0 : 1);
        return Plays(files, os.showProcess.argument);
    }
    const std::string open = "MCI open \"";
    const auto line = std::find_if(os.log.begin(), os.log.end(),
                                   [&](const std::string& l) { return l.rfind(open, 0) == 0; });
    return line == os.log.end()
               ? ""
               : line->substr(open.size(), line->find('"', open.size()) - open.size());
}

TEST(MomentTest, EachMomentShowsItsFile) {
    using platform::CloseRequest;
    const struct {
        MomentFiles files;
        const char* signIn;
        const char* signOut;
        const char* shutDown;
    } cases[] = {
        {{L"C:\\bye.wav", nullptr, nullptr}, "", "C:\\bye.wav", "C:\\bye.wav"},
        {{L"C:\\bye.wav", L"", L""}, "", "C:\\bye.wav", "C:\\bye.wav"},
        {{L"C:\\bye.wav", L"C:\\hello.wav", L"C:\\out.wav"},
         "C:\\hello.wav",
         "C:\\out.wav",
         "C:\\bye.wav"},
        {{L"", L"C:\\hello.wav", L"C:\\out.wav"}, "C:\\hello.wav", "C:\\out.wav", ""},
        {{L"", nullptr, L"C:\\out.wav"}, "", "C:\\out.wav", ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i);
        EXPECT_EQ(Plays(c.files, L"/start"), c.signIn);
        EXPECT_EQ(Plays(c.files, L"/start", CloseRequest::LogOff), c.signOut);
        EXPECT_EQ(Plays(c.files, L"/logoff"), c.signOut);
        EXPECT_EQ(Plays(c.files, L"/start", CloseRequest::ShutDown), c.shutDown);
        EXPECT_EQ(Plays(c.files, L"/shutdown"), c.shutDown);
        EXPECT_EQ(Plays(c.files, L"/restart"), c.shutDown);
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
