#include "show/bye_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/forms.h"
#include "app/main.h"
#include "config/settings.h"
#include "fake_os.h"
#include "picture_bytes.h"
#include "platform/texts.h"
#include "show/picture_header.h"

namespace {

using picture_bytes::Png;

// Runs the close handler the way /test does and returns what the show did, from the first
// step on the picture box to the end of the program, without the wait's turns.
fake::Log Show(fake::Os& os, platform::CloseRequest request = platform::CloseRequest::Unload) {
    auto& window = app::TheByeWindow(os.platform);
    os.log.clear();
    EXPECT_THROW(window.OnCloseRequest(request), fake::ProgramEnded);
    return os.log;
}

struct Config {
    const wchar_t* mediaFile;
    const wchar_t* width;
    const wchar_t* height;
};

void Configure(fake::Os& os, const Config& config) {
    os.SetIni(L"MediaFile", config.mediaFile);
    os.SetIni(L"Time", L"2");
    os.SetIni(L"Width", config.width);
    os.SetIni(L"Height", config.height);
    os.files.files[L"C:\\bye.bmp"] = picture_bytes::Bmp(200, 120);
    os.files.files[L"C:\\BYE.JPG"] = picture_bytes::Jpeg(640, 480);
    os.files.files[L"C:\\bye.gif"] = picture_bytes::Gif({32, 16});
    os.files.files[L"C:\\bye.png"] = Png(352, 288);
    os.files.files[L"C:\\bye.PNG"] = Png(50, 40);
    for (const auto& [path, bytes] : os.files.files) {
        if (const auto header = show::ReadPictureHeader(bytes); header.size) {
            os.windows.pictures[bytes] = *header.size;
        }
    }
}

TEST(ByeWindowTest, EachRequestDecidesTheShowAndNoneStartsASecond) {
    using R = platform::CloseRequest;
    using M = show::Moment;
    enum Command { None, Claimed, Announced };  // a Kestro command ends the session itself
    const std::string kReason = fake::Narrow(platform::CurrentTexts().blockReason);
    const struct {
        std::optional<M> served;  // a show process's show; else `request` comes to the window
        R request;
        Command command;
        std::optional<R> second;  // comes during the show
        const char* plays;        // "": no show, the settings not even read
        bool blocks;              // Windows hears why the show holds up the end of the session
        bool secondEnds;          // the second request ends the program; else it is answered
    } cases[] = {
        {{}, R::CloseCommand, None, R::CloseCommand, "C:\\bye.wav", false, false},
        {{}, R::Unload, Claimed, R::ShutDown, "C:\\bye.wav", false, true},  // the test show
        {{}, R::Unload, None, R::LogOff, "C:\\bye.wav", false, true},
        {{}, R::ShutDown, None, R::ShutDown, "C:\\bye.wav", true, false},
        {{}, R::LogOff, None, R::LogOff, "C:\\out.wav", true, false},
        {{}, R::ShutDown, None, R::Critical, "C:\\bye.wav", true, true},
        {{}, R::ShutDown, Claimed, {}, "", false, false},  // from the command's start on
        {{}, R::LogOff, Announced, {}, "", false, false},
        {{}, R::CloseApp, None, {}, "", false, false},
        {{}, R::Critical, None, {}, "", false, false},
        {{}, R::OtherProgram, None, {}, "", false, false},
        {M::Exit, {}, None, R::ShutDown, "C:\\bye.wav", false, false},
        {M::SignOut, {}, None, R::LogOff, "C:\\out.wav", false, false},
        // A session command ends a show of its folder this way, before its own show.
        {M::Exit, {}, None, R::OtherProgram, "C:\\bye.wav", false, true},
        {M::SignIn, {}, None, R::LogOff, "C:\\hello.wav", false, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        fake::Os os;
        Configure(os, {L"C:\\bye.wav", L"0", L""});
        os.SetIni(L"LogonFile", L"C:\\hello.wav");
        os.SetIni(L"LogoffFile", L"C:\\out.wav");
        os.session.otherCommandRuns = c.command == Claimed;
        os.session.announced = c.command == Announced;
        auto& window = app::TheByeWindow(os.platform);
        if (c.second) {
            os.process.onPump = [&] {
                os.log.emplace_back("second request");
                window.OnCloseRequest(*c.second);
                os.log.emplace_back("answered");
            };
        }
        os.log.clear();
        EXPECT_THROW(c.served ? window.Serve(*c.served) : window.OnCloseRequest(c.request),
                     fake::ProgramEnded);
        EXPECT_EQ(fake::Played(os.log), c.plays) << i;
        const auto& log = os.log;
        EXPECT_EQ(std::count(log.begin(), log.end(), "SetBlockReason 2942 " + kReason), c.blocks);
        EXPECT_EQ(std::count(log.begin(), log.end(), "ClearBlockReason 2942"),
                  c.blocks && !c.secondEnds);
        EXPECT_EQ(config::Settings().MediaFile.empty(), !*c.plays) << i;
        EXPECT_EQ(os.windows.byeWindow->showBegun, *c.plays != 0) << i;
        const auto second = std::find(os.log.begin(), os.log.end(), "second request");
        if (c.second && *c.plays) {
            ASSERT_NE(second, os.log.end()) << i;
            EXPECT_EQ(*std::next(second), c.secondEnds ? "EndProgram" : "answered") << i;
        }
    }
}

// A waiting instance's day after "/start" with the files set for sign-in (h), lock (l) and unlock
// (u): locks (L), unlocks (U), a Kestro command's claim (C), the end of the session (E) with a lock
// during its show. Beside: the shows started beside the window, and "end" for each one ended.
TEST(ByeWindowTest, LocksAndUnlocksHaveOneShowBesideTheWaitingWindow) {
    const struct {
        const char* files;
        const char* steps;
        const char* beside;
        const char* exitShow;
    } cases[] = {
        {"lu", "L", " lock", ""},
        {"lu", "LU", " lock end unlock", ""},
        {"l", "LU", " lock end", ""},
        {"u", "LU", " unlock", ""},
        {"hl", "L", " sign-in end lock", ""},
        {"h", "LU", " sign-in end", ""},
        {"lu", "LUE", " lock end unlock end", "C:\\bye.wav"},
        {"lu", "CLU", "", ""},
        {"", "LUE", "", "C:\\bye.wav"},  // an older kestro.ini
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", L"C:\\bye.wav");
        for (const char* key = c.files; *key != 0; ++key) {
            os.SetIni(*key == 'h' ? L"LogonFile" : *key == 'l' ? L"LockFile" : L"UnlockFile", L"x");
        }
        os.process.commandLine = L"/start";
        app::Main(os.platform);
        auto& window = app::TheByeWindow(os.platform);
        using platform::SessionChange;
        for (const char* step = c.steps; *step != 0; ++step) {
            if (*step == 'C') {
                os.session.otherCommandRuns = true;
            } else if (*step != 'E') {
                window.OnSessionChange(*step == 'L' ? SessionChange::Lock : SessionChange::Unlock);
            } else {
                os.process.onPump = [&] { window.OnSessionChange(SessionChange::Lock); };
                EXPECT_THROW(window.OnCloseRequest(platform::CloseRequest::ShutDown),
                             fake::ProgramEnded);
            }
        }
        std::string beside;
        for (const auto& line : os.log) {
            const bool launched = line.rfind("LaunchShow /kestro-", 0) == 0;
            beside += launched ? " " + line.substr(19, line.size() - 24) : "";
            beside += line == "EndShow" ? " end" : "";
        }
        EXPECT_EQ(beside, c.beside) << c.files << " " << c.steps;
        EXPECT_EQ(fake::Played(os.log), c.exitShow) << c.files << " " << c.steps;
    }
}

TEST(ByeWindowTest, ClickOrKeyEndsAPictureOrVideoShowAtOnce) {
    using R = platform::CloseRequest;
    for (const auto* file : {L"C:\\bye.png", L"C:\\bye.avi"}) {
        for (const auto request : {R::ShutDown, R::Unload}) {
            fake::Os os;
            Configure(os, {file, L"0", L""});
            os.SetIni(L"Time", L"30");
            os.media.replies["status kestro mode"] = std::vector<std::string>(60, "playing");
            auto& window = app::TheByeWindow(os.platform);
            os.process.onPump = [&] { window.OnCutShort(); };
            EXPECT_THROW(window.OnCloseRequest(request), fake::ProgramEnded);
            EXPECT_LE(os.process.timeOfDay - 36000.0, 1.0) << fake::Narrow(file);
            EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "ClearBlockReason 2942"),
                      request == R::ShutDown);
        }
    }
}

// When a show with MediaSound ends, and which files the device opened; the device says
// "playing" for `soundSeconds` turns of a second. The twist: LimitMedia, a cut short, or a
// sound that will not open.
TEST(ByeWindowTest, APictureAndItsSoundEndWhenBothHave) {
    const struct {
        const wchar_t* file;
        const wchar_t* time;
        int soundSeconds;
        double seconds;
        const char* opens;
        std::string twist;
    } cases[] = {
        {L"C:\\bye.png", L"5", 2, 5.0, "C:\\tone.wav", ""},
        {L"C:\\bye.png", L"2", 8, 8.0, "C:\\tone.wav", ""},
        {L"C:\\bye.png", L"2", 8, 2.0, "C:\\tone.wav", "LimitMedia"},
        {L"C:\\bye.png", L"30", 60, 1.0, "C:\\tone.wav", "cut"},
        {L"C:\\bye.png", L"2", 8, 2.0, "C:\\tone.wav", "open"},
        // A sound or video as the file plays without the moment's sound.
        {L"C:\\bye.wav", L"9", 3, 3.0, "C:\\bye.wav", ""},
        {L"C:\\bye.avi", L"9", 3, 3.0, "C:\\bye.avi", ""},
    };
    for (const auto& c : cases) {
        fake::Os os;
        Configure(os, {c.file, L"0", L""});
        os.SetIni(L"Time", c.time);
        os.SetIni(L"LimitMedia", c.twist == "LimitMedia" ? L"1" : L"0");
        os.SetIni(L"MediaSound", L"C:\\tone.wav");
        os.media.failing = {c.twist};
        os.media.replies["status kestro mode"] =
            std::vector<std::string>(c.soundSeconds, "playing");
        auto& window = app::TheByeWindow(os.platform);
        if (c.twist == "cut") {
            os.process.onPump = [&] { window.OnCutShort(); };
        }
        const auto log = Show(os);
        EXPECT_NEAR(os.process.timeOfDay - 36000.0, c.seconds, 0.02) << c.time << c.twist;
        EXPECT_EQ(fake::Played(log), c.opens) << fake::Narrow(c.file);
    }
}

TEST(ByeWindowTest, ShowUsesTheSettingsFileAsItIsNow) {
    fake::Os os;
    Configure(os, {L"C:\\bye.bmp", L"0", L""});
    config::ReadSettings(os.platform);
    os.SetIni(L"MediaFile", L"C:\\bye.gif");
    const auto show = Show(os);
    EXPECT_NE(std::find(show.begin(), show.end(), "Picture1.DrawPicture 32 16 -> 32 16 turned 1"),
              show.end());
}

}  // namespace
