#include "show/picture_show.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/forms.h"
#include "fake_os.h"
#include "picture_bytes.h"

namespace {

using namespace picture_bytes;

// A 640 x 480 JPEG whose EXIF block records the orientation.
Bytes CameraJpeg(std::uint8_t orientation) {
    const Bytes exif = {'E', 'x',  'i', 'f', 0, 0, 'M', 'M', 0, 42,          0, 0, 0, 8, 0, 1,
                        1,   0x12, 0,   3,   0, 0, 0,   1,   0, orientation, 0, 0, 0, 0, 0, 0};
    return Cat({kSoi, Segment(0xE1, exif), Sof(640, 480), kSos, {0, 0, 0xFF, 0xD9}});
}

const Bytes kHeic = {0, 0, 0, 24, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'};
const Bytes kWebP = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};

// Each picture file, as the show reads it: which decoder gets it (and whether it is asked for
// the orientation), the window's final size, and what is drawn into the box.
TEST(PictureShowTest, FileToWindowAndDrawing) {
    const struct {
        const char* name;
        Bytes content;
        std::optional<platform::Size> decodes;  // the decoder's size; nothing: it fails
        int reported;                           // the orientation the decoder reports; 0: none
        const wchar_t* width;                   // the settings' Width and Height
        const wchar_t* height;
        fake::Log outcome;
    } cases[] = {
        {"bmp at its own size, the Height ignored",
         Bmp(200, 120),
         platform::Size{200, 120},
         0,
         L"0",
         L"200",
         {"OpenPicture ole", "Picture1.DrawPicture 200 120 -> 200 120 turned 1",
          "Window.CenterOnScreen 200 120"}},
        {"gif",
         Gif({32, 16}),
         platform::Size{32, 16},
         0,
         L"",
         L"",
         {"OpenPicture ole", "Picture1.DrawPicture 32 16 -> 32 16 turned 1",
          "Window.CenterOnScreen 32 16"}},
        {"jpeg at a fixed 300 x 0",
         Jpeg(640, 480),
         platform::Size{640, 480},
         0,
         L"300",
         L"0",
         {"OpenPicture imaging asking", "Picture1.DrawPicture 640 480 -> 300 0 turned 1",
          "Window.CenterOnScreen 300 0"}},
        {"png, never asked for an orientation",
         Png(352, 288),
         platform::Size{352, 288},
         6,
         L"0",
         L"",
         {"OpenPicture imaging", "Picture1.DrawPicture 352 288 -> 352 288 turned 1",
          "Window.CenterOnScreen 352 288"}},
        {"png taller than 32767, fitted",
         Png(1000, 33000),
         platform::Size{1000, 33000},
         0,
         L"0",
         L"",
         {"OpenPicture imaging", "Picture1.DrawPicture 1000 33000 -> 31 1024 turned 1",
          "Window.CenterOnScreen 31 1024"}},
        {"png wider than 32767, fitted",
         Png(33000, 1000),
         platform::Size{33000, 1000},
         0,
         L"0",
         L"",
         {"OpenPicture imaging", "Picture1.DrawPicture 33000 1000 -> 1280 39 turned 1",
          "Window.CenterOnScreen 1280 39"}},
        {"camera jpeg turned a quarter: the file's block, the decoder not asked",
         CameraJpeg(6),
         platform::Size{640, 480},
         8,
         L"0",
         L"",
         {"OpenPicture imaging", "Picture1.DrawPicture 640 480 -> 640 480 turned 6",
          "Window.CenterOnScreen 480 640"}},
        {"heic whose decoder reports the orientation, fixed size",
         kHeic,
         platform::Size{640, 480},
         8,
         L"300",
         L"200",
         {"OpenPicture imaging asking", "Picture1.DrawPicture 640 480 -> 200 300 turned 8",
          "Window.CenterOnScreen 300 200"}},
        // Not shown: the box keeps its size, or takes the fixed one, and stays empty.
        {"webp that no decoder takes",
         kWebP,
         std::nullopt,
         0,
         L"0",
         L"",
         {"OpenPicture imaging asking", "Window.CenterOnScreen 357 271"}},
        {"webp that no decoder takes, fixed size",
         kWebP,
         std::nullopt,
         0,
         L"320",
         L"240",
         {"OpenPicture imaging asking", "Window.CenterOnScreen 320 240"}},
        {"truncated jpeg: its header's size",
         Jpeg(640, 480),
         std::nullopt,
         0,
         L"0",
         L"",
         {"OpenPicture imaging asking", "Window.CenterOnScreen 640 480"}},
        // Refused by their headers: the decoder, which would take them, never sees them.
        {"jpeg 37000 x 37000",
         Jpeg(37000, 37000),
         platform::Size{37000, 37000},
         0,
         L"0",
         L"",
         {"Window.CenterOnScreen 357 271"}},
        {"png 30000 x 30000 at a fixed size",
         Png(30000, 30000),
         platform::Size{300, 200},
         0,
         L"300",
         L"200",
         {"Window.CenterOnScreen 300 200"}},
        {"png 0 x 10",
         Png(0, 10),
         platform::Size{1, 10},
         0,
         L"0",
         L"",
         {"Window.CenterOnScreen 357 271"}},
        {"no file", {}, std::nullopt, 0, L"0", L"", {"Window.CenterOnScreen 357 271"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        os.SetIni(L"MediaFile", L"C:\\picture.jpg");
        os.SetIni(L"Time", L"2");
        os.SetIni(L"Width", c.width);
        os.SetIni(L"Height", c.height);
        if (!c.content.empty()) {
            os.files.files[L"C:\\picture.jpg"] = c.content;
        }
        if (c.decodes) {
            os.windows.pictures[c.content] = *c.decodes;
        }
        if (c.reported != 0) {
            os.windows.orientations[c.content] = c.reported;
        }
        auto& window = app::TheByeWindow(os.platform);
        os.log.clear();
        const double start = os.process.timeOfDay;
        EXPECT_THROW(window.OnCloseRequest(platform::CloseRequest::Unload), fake::ProgramEnded);
        EXPECT_NEAR(os.process.timeOfDay - start, 2.0, 0.015) << c.name;
        fake::Log outcome;
        std::copy_if(os.log.begin(), os.log.end(), std::back_inserter(outcome),
                     [](const std::string& line) {
                         return line.starts_with("OpenPicture") ||
                                line.starts_with("Picture1.DrawPicture") ||
                                line.starts_with("Window.CenterOnScreen");
                     });
        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "Window.Show"), 1) << c.name;
    }
}

// Whichever step fails, the window is shown once and the program ends.
TEST(PictureShowTest, EveryFailingStepIsSkipped) {
    for (const char* failing :
         {"Picture1.SetPersistentDrawing", "Picture1.Move", "Picture1.DrawPicture",
          "Picture1.Refresh", "Picture1.ImageToPicture", "OpenPicture"}) {
        for (const auto* width : {L"0", L"300"}) {
            for (const auto& content : {Png(50, 40), Bmp(200, 120)}) {
                fake::Os os;
                os.SetIni(L"MediaFile", L"C:\\bye.png");
                os.SetIni(L"Width", width);
                os.SetIni(L"Height", L"200");
                os.files.files[L"C:\\bye.png"] = content;
                os.windows.pictures[content] = {50, 40};
                os.windows.failing.insert(failing);
                auto& window = app::TheByeWindow(os.platform);
                os.log.clear();
                EXPECT_THROW(window.OnCloseRequest(platform::CloseRequest::Unload),
                             fake::ProgramEnded);
                EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "Window.Show"), 1) << failing;
                EXPECT_EQ(os.log.back(), "EndProgram");
            }
        }
    }
}

}  // namespace
