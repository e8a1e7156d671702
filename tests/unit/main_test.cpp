#include "app/main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <tuple>
#include <utility>

#include "app/forms.h"
#include "fake_os.h"
#include "show/moments.h"

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
        {L"/Kestro-Wait", RunMode::Wait},
        {L"/kestro-command-show", RunMode::Settings},  // a show's, read before run modes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::SelectRunMode(c.commandLine), c.mode)
            << testing::PrintToString(c.commandLine);
    }
}

long Count(const fake::Log& log, const std::string& line) {
    return std::count(log.begin(), log.end(), line);
}

// What a process of the command line did, to the end of the program if it ended.
fake::Log RunMain(fake::Os& os, const wchar_t* commandLine) {
    os.process.commandLine = commandLine;
    try {
        app::Main(os.platform);
    } catch (const fake::ProgramEnded&) {
    }
    return os.log;
}

TEST(MainTest, StartWaitsWithItsHiddenWindowOnce) {
    const struct {
        const wchar_t* mediaFile;
        bool previousInstance;  // a second "/start" ends before loading the window
        bool waits;
        const wchar_t* unlockFile = L"";
    } cases[] = {{L"C:\\bye.png", false, true},
                 {L"", false, true},
                 {L"", false, true, L"C:\\unlock.wav"},
                 {L"C:\\bye.png", true, false}};
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", c.mediaFile);
        os.SetIni(L"UnlockFile", c.unlockFile);
        os.process.previousInstance = c.previousInstance;
        EXPECT_EQ(Count(RunMain(os, L"/start"), "EndProgram"), !c.waits);
        for (const char* step : {"AskFirstAtSessionEnd", "ListenForCommand", "LoadByeWindow"}) {
            EXPECT_EQ(Count(os.log, step), c.waits) << step;
        }
        EXPECT_EQ(os.windows.byeWindow != nullptr && os.windows.byeWindow->listening, c.waits);
        // Nothing to show: the settings window opens beside the waiting window.
        EXPECT_EQ(os.windows.settingLoads, *c.mediaFile == 0 && *c.unlockFile == 0);
    }
}

// A show argument counts only while a command asked for its show: typed by hand, it opens the
// settings window, as "/test" does with nothing to show. A show process never opens it.
TEST(MainTest, WhatTheShowArgumentsAndTheTestShowOpen) {
    const struct {
        const wchar_t* commandLine;
        const wchar_t* mediaFile;
        bool claimed;
        bool shows;
        bool settings;
    } cases[] = {
        {L"/test", L"", false, false, true},
        {L"/kestro-command-show", L"C:\\bye.wav", false, false, true},
        {L"/kestro-command-show", L"C:\\bye.wav", true, true, false},
        {L"/kestro-command-show", L"", true, false, false},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", c.mediaFile);
        os.session.otherCommandRuns = c.claimed;
        EXPECT_EQ(Count(RunMain(os, c.commandLine), "EndProgram"), c.claimed);
        EXPECT_EQ(Count(os.log, "MCI play kestro notify"), c.shows);
        EXPECT_EQ(os.windows.settingLoads, c.settings);
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

TEST(SessionCommandTest, TheShowProcessEndsWithinItsBoundsThenTheSessionEnds) {
    const struct {
        const char* name;
        const wchar_t* mediaFile;
        const wchar_t* time;
        int endsAfterWaits;  // negative: never by itself; 0: cannot start
        bool answers;
        double seconds;  // the command waited for the show, and ended it unless it ended
        const wchar_t* limitMedia = L"0";
        const wchar_t* mediaSound = L"";
    } cases[] = {
        {"ends, or crashes", L"C:\\bye.bmp", L"2", 25, false, 2.5},
        {"cannot start", L"C:\\bye.bmp", L"2", 0, true, 0},
        {"picture past Time + 15 s", L"C:\\bye.bmp", L"2", -1, false, 17},
        {"picture time capped", L"C:\\bye.png", L"99999", -1, true, 3615},
        {"sound that stops answering", L"C:\\bye.wav", L"2", -1, false, 10},
        {"video that answers for ever", L"C:\\bye.avi", L"2", -1, true, 3615},
        {"video past Time + 15 s with LimitMedia", L"C:\\bye.avi", L"2", -1, true, 17, L"1"},
        {"no media file: no show, no settings window", L"", L"2", 0, true, 0},
        {"picture and sound: the cap", L"C:\\bye.bmp", L"2", -1, true, 3615, L"0", L"C:\\a.wav"},
        {"picture and sound, LimitMedia", L"C:\\a.png", L"2", -1, false, 10, L"1", L"C:\\a.wav"},
        {"a picture as the sound", L"C:\\bye.png", L"2", -1, false, 17, L"0", L"C:\\a.png"},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", c.mediaFile);
        os.SetIni(L"Time", c.time);
        os.SetIni(L"LimitMedia", c.limitMedia);
        os.SetIni(L"MediaSound", c.mediaSound);
        os.showProcess.startFails = c.endsAfterWaits == 0;
        os.showProcess.endsAfterWaits = c.endsAfterWaits;
        os.showProcess.answers = c.answers;
        const auto log = RunMain(os, L"/ShutDown");
        EXPECT_EQ(Count(log, "StartShow"), *c.mediaFile != 0) << c.name;
        EXPECT_EQ(Count(log, "EndShow"), c.endsAfterWaits < 0) << c.name;
        EXPECT_EQ(log.end()[-2], "EndSession shutdown") << c.name;
        EXPECT_NEAR(os.showProcess.waits / 10.0, c.seconds, 0.15) << c.name;
        EXPECT_EQ(os.windows.settingLoads, 0) << c.name;
    }
}

TEST(SessionCommandTest, AnInstallerClosingTheCommandEndsItsShowAndNotTheSession) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.wav");
    os.showProcess.endsAfterWaits = -1;
    os.showProcess.closeAfterWaits = 3;
    EXPECT_EQ(RunMain(os, L"/logoff"),
              (fake::Log{"ClaimCommand", "EndOtherShows", "StartShow", "EndShow", "EndProgram"}));
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
    const auto* show = show::RowOfShowArgument(commandLine);
    os.session.otherCommandRuns = show != nullptr && show->starter == show::Starter::Command;
    os.session.showOffered = show != nullptr && show->starter == show::Starter::Waiting;
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
    return fake::Played(os.log);
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
        EXPECT_EQ(Plays(c.files, L"/kestro-wait"), "");  // the installer's start after an upgrade
        EXPECT_EQ(Plays(c.files, L"/start", CloseRequest::LogOff), c.signOut);
        EXPECT_EQ(Plays(c.files, L"/logoff"), c.signOut);
        EXPECT_EQ(Plays(c.files, L"/start", CloseRequest::ShutDown), c.shutDown);
        EXPECT_EQ(Plays(c.files, L"/shutdown"), c.shutDown);
        EXPECT_EQ(Plays(c.files, L"/restart"), c.shutDown);
        EXPECT_EQ(Plays(c.files, L"/TEST"), c.shutDown);
    }
}

TEST(MomentTest, TheSignOutThatShowsMediaFileTakesMediaSoundWithIt) {
    for (const auto& [file, sound, signOut] : {std::tuple{L"", L"", L"exit.wav"},
                                               {L"out.png", L"", L""},
                                               {L"", L"out.wav", L"out.wav"}}) {
        config::SettingsValues settings;
        settings.MediaSound = L"exit.wav";
        settings.LogoffFile = file;
        settings.LogoffSound = sound;
        EXPECT_EQ(show::SoundFor(settings, show::Moment::SignOut), signOut);
    }
}

TEST(SessionCommandTest, ASecondCommandEndsAtOnce) {
    fake::Os os;
    os.SetIni(L"MediaFile", L"C:\\bye.bmp");
    os.session.otherCommandRuns = true;
    EXPECT_EQ(RunMain(os, L"/shutdown"), (fake::Log{"ClaimCommand", "EndProgram"}));
}

TEST(SessionCommandTest, AFailedEndOfSessionIsShownOnceAndWithdrawn) {
    fake::Os os;
    os.session.endFails = true;
    EXPECT_EQ(
        RunMain(os, L"/restart"),
        (fake::Log{"ClaimCommand", "EndOtherShows", "AnnounceCommand", "EndSession restart",
                   "WithdrawCommand", "ShowMessage 特権が保持されていません。", "EndProgram"}));
    EXPECT_FALSE(os.session.announced);
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].title, L"Kestro");
    EXPECT_EQ(os.messages.shown[0].style, 48);
}

}  // namespace
