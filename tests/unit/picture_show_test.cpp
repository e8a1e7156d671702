#include "show/picture_show.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/forms.h"
#include "fake_os.h"
#include "picture_bytes.h"

namespace {

using namespace picture_bytes;
using platform::Size;

// A 640 x 480 JPEG whose EXIF block records the orientation.
Bytes CameraJpeg(std::uint8_t orientation) {
    const Bytes exif = {'E', 'x',  'i', 'f', 0, 0, 'M', 'M', 0, 42,          0, 0, 0, 8, 0, 1,
                        1,   0x12, 0,   3,   0, 0, 0,   1,   0, orientation, 0, 0, 0, 0, 0, 0};
    return Cat({kSoi, Segment(0xE1, exif), Sof(640, 480), kSos, {0, 0, 0xFF, 0xD9}});
}

const Bytes kHeic = {0, 0, 0, 24, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'};
const Bytes kWebP = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};

// Runs the show of C:\picture.jpg with these settings through the close handler, as /test does,
// and returns what it asked of the platform.
fake::Log Show(fake::Os& os, const wchar_t* width, const wchar_t* height) {
    os.SetIni(L"MediaFile", L"C:\\picture.jpg");
    os.SetIni(L"Time", L"2");
    os.SetIni(L"Width", width);
    os.SetIni(L"Height", height);
    auto& window = app::TheByeWindow(os.platform);
    os.log.clear();
    const double start = os.process.timeOfDay;
    EXPECT_THROW(window.OnCloseRequest(platform::CloseRequest::Unload), fake::ProgramEnded);
    EXPECT_NEAR(os.process.timeOfDay - start, 2.0, 0.015);
    EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "Window.Show"), 1);
    EXPECT_EQ(os.log.back(), "EndProgram");
    return os.log;
}

// The log's line that starts so, without that start; "-" when there is none.
std::string Line(const fake::Log& log, const std::string& start) {
    const auto line = std::find_if(log.begin(), log.end(),
                                   [&](const std::string& l) { return l.starts_with(start); });
    return line == log.end() ? "-" : line->substr(start.size());
}

// Each picture file: whether the decoder is asked for the orientation, what is drawn
// into the box (stored size -> size before the turn, and the turn), and the window's size.
TEST(PictureShowTest, FileToWindowAndDrawing) {
    const struct {
        const char* name;
        Bytes content;
        std::optional<Size> decodes;  // the decoder's size; nothing: it fails
        int reported;                 // the orientation the decoder reports; 0: none
        const wchar_t* width;         // the settings' Width and Height
        const wchar_t* height;
        const char* opened;  // asking or quiet; "-": the decoder never sees it
        const char* drawn;
        const char* window;
    } cases[] = {
        {"bmp, the Height ignored", Bmp(200, 120), Size{200, 120}, 0, L"0", L"200", "quiet",
         "200 120 -> 200 120 turned 1", "200 120"},
        {"gif", Gif({32, 16}), Size{32, 16}, 0, L"", L"", "quiet", "32 16 -> 32 16 turned 1",
         "32 16"},
        {"jpeg, fixed 300 x 0", Jpeg(640, 480), Size{640, 480}, 0, L"300", L"0", "asking",
         "640 480 -> 300 0 turned 1", "300 0"},
        {"png, never asked", Png(352, 288), Size{352, 288}, 6, L"0", L"", "quiet",
         "352 288 -> 352 288 turned 1", "352 288"},
        {"png taller than 32767", Png(1000, 33000), Size{1000, 33000}, 0, L"0", L"", "quiet",
         "1000 33000 -> 31 1024 turned 1", "31 1024"},
        {"png wider than 32767", Png(33000, 1000), Size{33000, 1000}, 0, L"0", L"", "quiet",
         "33000 1000 -> 1280 39 turned 1", "1280 39"},
        {"camera jpeg: its own block, the decoder not asked", CameraJpeg(6), Size{640, 480}, 8,
         L"0", L"", "quiet", "640 480 -> 640 480 turned 6", "480 640"},
        {"heic turned by its decoder, fixed size", kHeic, Size{640, 480}, 8, L"300", L"200",
         "asking", "640 480 -> 200 300 turned 8", "300 200"},
        // Not drawn: the box keeps its size, or takes the fixed one, and stays empty.
        {"webp no decoder takes", kWebP, std::nullopt, 0, L"0", L"", "asking", "-", "357 271"},
        {"webp no decoder takes, fixed", kWebP, std::nullopt, 0, L"320", L"240", "asking", "-",
         "320 240"},
        {"truncated jpeg: its header's size", Jpeg(640, 480), std::nullopt, 0, L"0", L"", "asking",
         "-", "640 480"},
        // Refused by their headers: the decoder, which would take them, never sees them.
        {"jpeg 37000 x 37000", Jpeg(37000, 37000), Size{37000, 37000}, 0, L"0", L"", "-", "-",
         "357 271"},
        {"png 30000 x 30000, fixed", Png(30000, 30000), Size{300, 200}, 0, L"300", L"200", "-", "-",
         "300 200"},
        {"png 0 x 10", Png(0, 10), Size{1, 10}, 0, L"0", L"", "-", "-", "357 271"},
        {"no file", {}, std::nullopt, 0, L"0", L"", "-", "-", "357 271"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os os;
        if (!c.content.empty()) {
            os.files.files[L"C:\\picture.jpg"] = c.content;
        }
        if (c.decodes) {
            os.windows.pictures[c.content] = *c.decodes;
        }
        if (c.reported != 0) {
            os.windows.orientations[c.content] = c.reported;
        }
        const auto log = Show(os, c.width, c.height);
        EXPECT_EQ(Line(log, "OpenPicture "), c.opened);
        EXPECT_EQ(Line(log, "Picture1.DrawPicture "), c.drawn);
        EXPECT_EQ(Line(log, "Window.CenterOnScreen "), c.window);
    }
}

// Whichever step fails, the window is shown once, for its time, and the program ends.
TEST(PictureShowTest, EveryFailingStepIsSkipped) {
    for (const char* failing :
         {"Picture1.SetPersistentDrawing", "Picture1.Move", "Picture1.DrawPicture",
          "Picture1.Refresh", "Picture1.ImageToPicture", "OpenPicture"}) {
        for (const auto* width : {L"0", L"300"}) {
            for (const auto& content : {Png(50, 40), Bmp(200, 120)}) {
                SCOPED_TRACE(failing);
                fake::Os os;
                os.files.files[L"C:\\picture.jpg"] = content;
                os.windows.pictures[content] = {50, 40};
                os.windows.failing.insert(failing);
                Show(os, width, L"200");
            }
        }
    }
}

}  // namespace
