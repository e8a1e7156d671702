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
        fake::Log expected;
        std::pair<const wchar_t*, const wchar_t*> fixed{L"0", L"0"};  // Width, Height
    } cases[] = {
        {L"C:\\Media\\bye.wav",
         {"MCI open \"C:\\Media\\bye.wav\" alias kestro", "MCI play kestro notify",
          "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
        {L"C:\\Media\\bye.avi",
         {kVideoOpen, "MCI where kestro source", "Picture1.Move 0 0 352 288",
          "Window.SetOuterSize 352 288", "MCI put kestro window at 0 0 352 288 wait",
          "MCI put kestro destination at 0 0 352 288 wait", "Window.CenterOnScreen 352 288",
          "Window.Show", "Window.MakeTopMost", "MCI play kestro notify", "MCI status kestro mode",
          "MCI close kestro", "EndProgram"}},
        {L"C:\\Media\\bye.avi",
         {"Picture1.Move 0 0 320 240", "Window.SetOuterSize 320 240", kVideoOpen,
          "MCI put kestro window at 0 0 320 240 wait",
          "MCI put kestro destination at 0 0 320 240 wait", "Window.CenterOnScreen 320 240",
          "Window.Show", "Window.MakeTopMost", "MCI play kestro notify", "MCI status kestro mode",
          "MCI close kestro", "EndProgram"},
         {L"320", L"240"}},
        // Only Width chooses the fixed size.
        {L"C:\\Media\\bye.wav",
         {"Picture1.Move 0 0 320 0", "Window.SetOuterSize 320 0",
          "MCI open \"C:\\Media\\bye.wav\" alias kestro", "MCI play kestro notify",
          "MCI status kestro mode", "MCI close kestro", "EndProgram"},
         {L"320", L"0"}},
        // No media file configured: nothing is played, and no settings window opens.
        {L"", {"EndProgram"}},
        {L"C:\\My Media\\good bye.mp3",
         {"MCI open \"C:\\My Media\\good bye.mp3\" alias kestro", "MCI play kestro notify",
          "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
        // A quote would let the rest of the path into the command as words of its own.
        {L"C:\\a\" alias x notify \".wav",
         {"MCI play kestro notify", "MCI status kestro mode", "MCI close kestro", "EndProgram"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.media.replies["where kestro source"] = {"0 0 352 288"};
        EXPECT_EQ(Show(os, c.mediaFile, c.fixed.first, c.fixed.second), c.expected)
            << fake::Narrow(c.mediaFile) << " " << fake::Narrow(c.fixed.first);
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

// The box a video's window and its picture were given ("width height"), with the video's
// source rectangle as `reply`; both, when they differ.
std::string VideoBox(const char* reply, const wchar_t* width = L"0", const wchar_t* height = L"0") {
    fake::Os os;
    os.media.replies["where kestro source"] = {reply};
    const auto show = Show(os, L"C:\\Media\\bye.avi", width, height);
    const auto put = [&](const std::string& what) {
        const std::string head = "MCI put kestro " + what + " at 0 0 ";
        std::string box;
        for (const auto& line : show) {
            if (line.rfind(head, 0) == 0) {
                box += line.substr(head.size(), line.size() - head.size() - 5);
            }
        }
        return box;
    };
    const auto window = put("window");
    return window == put("destination") ? window : window + " / " + put("destination");
}

TEST(MediaPlaybackTest, VideoWindowAndPictureTakeTheBox) {
    // Its own size, fitted to the 1280 x 1024 screen when larger.
    const struct {
        const char* reply;
        const char* box;
    } cases[] = {{"0 0 352 288", "352 288"},     {"0 0 352 -288", "352 288"},
                 {"0 0 -160 -120", "160 120"},   {"5 7 640 480", "640 480"},
                 {"0 0 1280 1024", "1280 1024"}, {"0 0 2000 1000", "1280 640"},
                 {"0 0 1600 1200", "1280 960"}};
    for (const auto& c : cases) {
        EXPECT_EQ(VideoBox(c.reply), c.box) << c.reply;
    }
    for (const char* reply : {"0 0 400 300", "0 0 2000 1000"}) {
        EXPECT_EQ(VideoBox(reply, L"800", L"600"), "800 600") << reply;
    }
    // Without a size the box keeps its own; fields are split at each single space.
    for (const char* reply : {"", "0 0 352", "0 0 352 abc", "0 0 35x 288", "0 0 0 288", "0 0 352 0",
                              "0 0 -2147483648 288", "0 0 99999999999 288", "0  0 352 288"}) {
        EXPECT_EQ(VideoBox(reply), "121 89") << reply;
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
        const wchar_t* limitTime = nullptr;  // with LimitMedia
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
        {"LimitMedia cuts at Time", Moving(900), "", "", 2.5, 0, L"2.5"},
        {"LimitMedia: its end comes first", Moving(900), "", "", 8.0, 0, L"20"},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.media.replies["status kestro mode"] = std::vector<std::string>(8, "playing");
        os.media.replies["status kestro position"] = c.positions;
        os.media.replies["status kestro time format"] = {c.timeFormat};
        os.media.replies["status kestro length"] = {c.length};
        os.media.reportAtLook = c.reportAtLook;
        os.SetIni(L"LimitMedia", c.limitTime ? L"1" : L"0");
        os.SetIni(L"Time", c.limitTime ? c.limitTime : L"2");
        const auto show = Show(os, L"C:\\Media\\bye.mid");
        EXPECT_NEAR(os.process.timeOfDay - 36000.0, c.seconds, 0.02) << c.name;
        EXPECT_EQ(std::count(show.begin(), show.end(), "MCI set kestro time format milliseconds"),
                  1)
            << c.name;
        EXPECT_EQ(show.end()[-2], "MCI close kestro") << c.name;
    }
}

}  // namespace
