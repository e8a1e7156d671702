#include "show/media_playback.h"

#include <gtest/gtest.h>

#include "app/forms.h"
#include "fake_os.h"

namespace {

// Runs the close handler as /test does and returns what the show did.
fake::Log Show(fake::Os& os, const wchar_t* mediaFile, const wchar_t* width = L"0",
               const wchar_t* height = L"0") {
    os.SetIni(L"MediaFile", mediaFile);
    os.SetIni(L"Width", width);
    os.SetIni(L"Height", height);
    auto& window = app::TheByeWindow(os.platform);
    os.log.clear();
    EXPECT_THROW(window.OnCloseRequest(platform::CloseRequest::Unload), fake::ProgramEnded);
    return os.log;
}

constexpr char kVideoOpen[] =
    "MCI open \"C:\\Media\\bye.avi\" alias kestro parent 4242 style 1073741824 wait";

TEST(MediaPlaybackTest, CommandsOfEachRoad) {
    const struct {
        const wchar_t* mediaFile;
        const wchar_t* width;
        const wchar_t* height;
        fake::Log expected;
    } cases[] = {
        {L"C:\\Media\\bye.wav",
         L"0",
         L"0",
         {"MCI open \"C:\\Media\\bye.wav\" alias kestro", "MCI play kestro notify",
          "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
        {L"C:\\Media\\bye.avi",
         L"0",
         L"0",
         {kVideoOpen, "MCI where kestro source", "Picture1.Move 0 0 352 288",
          "Window.SetOuterSize 352 288", "Window.CenterOnScreen 352 288", "Window.Show",
          "Window.MakeTopMost", "MCI play kestro notify", "MCI status kestro mode",
          "MCI close kestro", "EndProgram"}},
        {L"C:\\Media\\bye.avi",
         L"320",
         L"240",
         {"Picture1.Move 0 0 320 240", "Window.SetOuterSize 320 240", kVideoOpen,
          "MCI put kestro window at 0 0 320 240 wait", "Window.CenterOnScreen 320 240",
          "Window.Show", "Window.MakeTopMost", "MCI play kestro notify", "MCI status kestro mode",
          "MCI close kestro", "EndProgram"}},
        // Only Width chooses the fixed size.
        {L"C:\\Media\\bye.wav",
         L"320",
         L"0",
         {"Picture1.Move 0 0 320 0", "Window.SetOuterSize 320 0",
          "MCI open \"C:\\Media\\bye.wav\" alias kestro", "MCI play kestro notify",
          "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
        // No media file configured: nothing is played, and no settings window opens.
        {L"", L"0", L"0", {"EndProgram"}},
        {L"C:\\My Media\\good bye.mp3",
         L"0",
         L"0",
         {"MCI open \"C:\\My Media\\good bye.mp3\" alias kestro", "MCI play kestro notify",
          "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
        // A quote would let the rest of the path into the command as words of its own.
        {L"C:\\a\" alias x notify \".wav",
         L"0",
         L"0",
         {"MCI play kestro notify", "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.media.replies["where kestro source"] = {"0 0 352 288"};
        EXPECT_EQ(Show(os, c.mediaFile, c.width, c.height), c.expected)
            << fake::Narrow(c.mediaFile) << " " << fake::Narrow(c.width);
    }
}

TEST(MediaPlaybackTest, OpensThePathInTheFormTheDeviceTakes) {
    fake::Os os;
    os.media.devicePaths[L"C:\\소리\\안녕.wav"] = L"C:\\7F2A~1\\AD3C~1.WAV";
    const auto log = Show(os, L"C:\\소리\\안녕.wav");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "MCI open \"C:\\7F2A~1\\AD3C~1.WAV\" alias kestro");
}

TEST(MediaPlaybackTest, VideoEndings) {
    const struct {
        const wchar_t* path;
        bool video;
    } cases[] = {{L"a.avi", true}, {L"a.AVI", true},   {L"a.Mpg", true},   {L"a.wmv", true},
                 {L"a.asf", true}, {L"a.mpeg", false}, {L"a.wav", false},  {L"avi", false},
                 {L".avi", true},  {L"", false},       {L"a.avi ", false}, {L"a.mp4", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(show::IsVideo(c.path), c.video) << fake::Narrow(c.path);
    }
}

TEST(MediaPlaybackTest, SourceRectangleReplies) {
    const struct {
        const char* reply;
        const char* move;  // nullptr: the box keeps its size
    } cases[] = {
        {"0 0 352 288", "Picture1.Move 0 0 352 288"},
        {"0 0 352 -288", "Picture1.Move 0 0 352 288"},
        {"0 0 -160 -120", "Picture1.Move 0 0 160 120"},
        {"5 7 640 480", "Picture1.Move 0 0 640 480"},
        // Larger than the 1280 x 1024 screen: fitted to it.
        {"0 0 1600 1200", "Picture1.Move 0 0 1280 960"},
        {"0 0 1280 1024", "Picture1.Move 0 0 1280 1024"},
        {"", nullptr},
        {"0 0 352", nullptr},
        {"0 0 352 abc", nullptr},
        {"0 0 35x 288", nullptr},
        {"0 0 0 288", nullptr},
        {"0 0 352 0", nullptr},
        {"0 0 -2147483648 288", nullptr},
        {"0 0 99999999999 288", nullptr},
        // Fields are split at each single space, so a double space shifts them.
        {"0  0 352 288", nullptr},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.media.replies["where kestro source"] = {c.reply};
        const auto show = Show(os, L"C:\\Media\\bye.avi");
        const auto where = std::find(show.begin(), show.end(), "MCI where kestro source");
        ASSERT_NE(where, show.end());
        // Only a fitted video is scaled to its box.
        const bool scaled =
            std::count(show.begin(), show.end(), "MCI put kestro window at 0 0 1280 960 wait") == 1;
        EXPECT_EQ(scaled, std::string(c.reply) == "0 0 1600 1200") << c.reply;
        if (c.move != nullptr) {
            EXPECT_EQ(where[1], c.move) << c.reply;
        } else {
            EXPECT_EQ(where[1], "Window.CenterOnScreen 357 271") << c.reply;
        }
    }
}

TEST(MediaPlaybackTest, WaitEndsOnTheFirstReplyThatIsNotPlaying) {
    for (const char* last : {"", "stopped", "paused", "Playing", "playing ", "not ready"}) {
        fake::Os os;
        os.media.replies["status kestro mode"] = {"playing", "playing", "playing", last};
        const auto show = Show(os, L"C:\\Media\\bye.wav");
        EXPECT_EQ(std::count(show.begin(), show.end(), "MCI status kestro mode"), 4) << last;
        EXPECT_EQ(show.end()[-2], "MCI close kestro");
        // One pump after play, then two per turn that found the device playing.
        EXPECT_EQ(os.process.pumps, 7) << last;
        EXPECT_NEAR(os.process.timeOfDay, 36003.0, 1e-6) << last;
    }
}

TEST(MediaPlaybackTest, QueriesUseTheWholeBufferAndStopAtNul) {
    fake::Os os;
    const std::string longReply(300, 'x');
    os.media.replies["where kestro source"] = {longReply};
    os.media.replies["status kestro mode"] = {std::string("playing\0junk", 12)};
    EXPECT_EQ(show::MciQuery(os.media, L"where kestro source"), std::wstring(255, L'x'));
    EXPECT_EQ(os.media.lastReplyLength, 255U);
    EXPECT_TRUE(show::IsPlaying(os.media));
    EXPECT_EQ(show::MciQuery(os.media, L"status kestro mode"), L"");
}

TEST(MediaPlaybackTest, FailingStepsAreSkipped) {
    for (const char* verb : {"open", "where", "put", "play", "status", "close"}) {
        for (const wchar_t* width : {L"0", L"320"}) {
            fake::Os os;
            os.media.failing = {verb};
            os.media.replies["status kestro mode"] = {"playing", "stopped"};
            const auto show = Show(os, L"C:\\Media\\bye.avi", width, L"240");
            EXPECT_EQ(show.end()[-2], "MCI close kestro") << verb;
            EXPECT_EQ(std::count(show.begin(), show.end(), "Window.Show"), 1) << verb;
            EXPECT_EQ(std::count(show.begin(), show.end(), "MCI play kestro notify"), 1) << verb;
        }
    }
    fake::Os os;
    os.windows.failing = {"Picture1.Move"};
    const auto show = Show(os, L"C:\\Media\\bye.avi", L"320", L"240");
    EXPECT_EQ(show.back(), "EndProgram");
}

TEST(MediaPlaybackTest, SoundNeverShowsTheWindow) {
    for (const auto* file : {L"C:\\bye.wav", L"C:\\bye.mid", L"C:\\bye.mpeg", L"png"}) {
        fake::Os os;
        os.media.replies["status kestro mode"] = {"playing", "stopped"};
        const auto show = Show(os, file);
        EXPECT_EQ(std::count(show.begin(), show.end(), "Window.Show"), 0) << fake::Narrow(file);
        EXPECT_EQ(show.back(), "EndProgram");
    }
}

}  // namespace

namespace {

std::vector<std::string> Moving(int count) {
    std::vector<std::string> positions;
    for (int i = 0; i < count; ++i) {
        positions.push_back(std::to_string(i * 10));
    }
    return positions;
}

TEST(MediaPlaybackTest, DeviceThatGetsNowhereIsGivenUp) {
    const std::vector<std::string> frozen(900, "1200");
    const struct {
        const char* name;
        std::vector<std::string> positions;
        std::string timeFormat;
        std::string length;
        // Until the wait ends, in turns of 1 s; the device says "playing" for 8. Past the
        // length, the first turn beyond the line ends it.
        double seconds;
        int reportAtLook = 0;
    } cases[] = {
        {"position frozen", frozen, "", "", 3.0},
        {"position frozen, long length", frozen, "milliseconds", "60000", 3.0},
        {"length exceeded", Moving(900), "milliseconds", "1000", 7.0},
        {"length exceeded, position unanswered", {}, "milliseconds", "1500", 7.0},
        {"length zero", Moving(900), "milliseconds", "0", 6.0},
        {"length in frames is no length", Moving(900), "frames", "1000", 8.0},
        {"length unanswered", Moving(900), "milliseconds", "", 8.0},
        {"length not a number", Moving(900), "milliseconds", "12x", 8.0},
        {"neither answered: the mode alone", {}, "", "", 8.0},
        {"position answered once, then never", {"5"}, "", "", 8.0},
        {"the device reports the end", Moving(900), "", "", 2.0, 3},
        {"the report beats a frozen position", frozen, "", "", 1.0, 2},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.media.replies["status kestro mode"] = std::vector<std::string>(8, "playing");
        os.media.replies["status kestro position"] = c.positions;
        os.media.replies["status kestro time format"] = {c.timeFormat};
        os.media.replies["status kestro length"] = {c.length};
        os.media.reportAtLook = c.reportAtLook;
        const auto show = Show(os, L"C:\\Media\\bye.mid");
        EXPECT_NEAR(os.process.timeOfDay - 36000.0, c.seconds, 0.02) << c.name;
        EXPECT_EQ(std::count(show.begin(), show.end(), "MCI set kestro time format milliseconds"),
                  1)
            << c.name;
        EXPECT_EQ(show.end()[-2], "MCI close kestro") << c.name;
    }
}

}  // namespace
