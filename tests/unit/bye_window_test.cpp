#include "show/bye_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/forms.h"
#include "config/settings.h"
#include "fake_os.h"
#include "picture_bytes.h"

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
    os.windows.pictures[L"C:\\bye.bmp"] = {200, 120};
    os.windows.pictures[L"C:\\BYE.JPG"] = {640, 480};
    os.windows.pictures[L"C:\\bye.gif"] = {32, 16};
    os.files.files[L"C:\\bye.bmp"] = picture_bytes::Bmp(200, 120);
    os.files.files[L"C:\\BYE.JPG"] = picture_bytes::Jpeg(640, 480);
    os.files.files[L"C:\\bye.gif"] = picture_bytes::Gif({32, 16});
    os.windows.pictures[L"C:\\bye.png"] = {352, 288};
    os.windows.pictures[L"C:\\bye.PNG"] = {50, 40};
    os.files.files[L"C:\\bye.png"] = Png(352, 288);
    os.files.files[L"C:\\bye.PNG"] = Png(50, 40);
}

TEST(ByeWindowTest, StillPictureRoads) {
    const struct {
        Config config;
        fake::Log show;
    } cases[] = {
        {{L"C:\\bye.bmp", L"0", L"200"},  // natural size: the Height is ignored
         {"Picture1.SetPersistentDrawing on", "LoadPicture C:\\bye.bmp",
          "Picture1.Move 0 0 200 120", "Window.SetOuterSize 200 120",
          "Picture1.PaintPicture 200 120 -> 200 120", "Picture1.Refresh", "Picture1.ImageToPicture",
          "Window.CenterOnScreen 200 120", "Window.Show", "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\bye.gif", L"", L""},
         {"Picture1.SetPersistentDrawing on", "LoadPicture C:\\bye.gif", "Picture1.Move 0 0 32 16",
          "Window.SetOuterSize 32 16", "Picture1.PaintPicture 32 16 -> 32 16", "Picture1.Refresh",
          "Picture1.ImageToPicture", "Window.CenterOnScreen 32 16", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\BYE.JPG", L"300", L"0"},  // fixed size 300 x 0; a JPEG goes to the decoder
         {"Picture1.SetPersistentDrawing on", "InspectPicture C:\\BYE.JPG",
          "Picture1.Move 0 0 300 0", "Window.SetOuterSize 300 0",
          "Picture1.DrawPictureFile C:\\BYE.JPG 1 300 0", "Picture1.Refresh",
          "Picture1.ImageToPicture", "Window.CenterOnScreen 300 0", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\bye.png", L"0", L""},
         {"Picture1.SetPersistentDrawing on", "InspectPicture C:\\bye.png",
          "Picture1.Move 0 0 352 288", "Window.SetOuterSize 352 288",
          "Picture1.DrawPictureFile C:\\bye.png 1 352 288", "Picture1.Refresh",
          "Picture1.ImageToPicture", "Window.CenterOnScreen 352 288", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\bye.PNG", L"300", L"200"},  // fixed size stretches a PNG too
         {"Picture1.SetPersistentDrawing on", "InspectPicture C:\\bye.PNG",
          "Picture1.Move 0 0 300 200", "Window.SetOuterSize 300 200",
          "Picture1.DrawPictureFile C:\\bye.PNG 1 300 200", "Picture1.Refresh",
          "Picture1.ImageToPicture", "Window.CenterOnScreen 300 200", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\bye.PNG", L"0", L"7"},
         {"Picture1.SetPersistentDrawing on", "InspectPicture C:\\bye.PNG",
          "Picture1.Move 0 0 50 40", "Window.SetOuterSize 50 40",
          "Picture1.DrawPictureFile C:\\bye.PNG 1 50 40", "Picture1.Refresh",
          "Picture1.ImageToPicture", "Window.CenterOnScreen 50 40", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        Configure(os, c.config);
        auto show = Show(os);
        EXPECT_EQ(show, c.show) << fake::Narrow(c.config.mediaFile);
    }
}

TEST(ByeWindowTest, FailingPicturesStillShowTheWindowForTheWholeTime) {
    const struct {
        Config config;
        fake::Log show;
    } cases[] = {
        {{L"C:\\missing.bmp", L"0", L""},  // the box keeps its size
         {"Picture1.SetPersistentDrawing on", "Window.CenterOnScreen 357 271", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\missing.jpg", L"320", L"240"},
         {"Picture1.SetPersistentDrawing on", "Picture1.Move 0 0 320 240",
          "Window.SetOuterSize 320 240", "Picture1.Refresh", "Picture1.ImageToPicture",
          "Window.CenterOnScreen 320 240", "Window.Show", "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\missing.png", L"0", L""},  // no size from the probe: 0 x 0
         {"Picture1.SetPersistentDrawing on", "Picture1.Move 0 0 0 0", "Window.SetOuterSize 0 0",
          "Picture1.Refresh", "Picture1.ImageToPicture", "Window.CenterOnScreen 0 0", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        // Refused by their headers: the decoder, which would take them, never sees them.
        {{L"C:\\huge.jpg", L"0", L""},
         {"Picture1.SetPersistentDrawing on", "Window.CenterOnScreen 357 271", "Window.Show",
          "Window.MakeTopMost", "EndProgram"}},
        {{L"C:\\huge.png", L"300", L"200"},
         {"Picture1.SetPersistentDrawing on", "Picture1.Move 0 0 300 200",
          "Window.SetOuterSize 300 200", "Picture1.Refresh", "Picture1.ImageToPicture",
          "Window.CenterOnScreen 300 200", "Window.Show", "Window.MakeTopMost", "EndProgram"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        Configure(os, c.config);
        os.windows.pictures[L"C:\\huge.jpg"] = {37000, 37000};
        os.files.files[L"C:\\huge.jpg"] = picture_bytes::Jpeg(37000, 37000);
        os.files.files[L"C:\\huge.png"] = Png(30000, 30000);
        const double start = os.process.timeOfDay;
        EXPECT_EQ(Show(os), c.show) << fake::Narrow(c.config.mediaFile);
        EXPECT_NEAR(os.process.timeOfDay - start, 2.0, 0.015);
    }
}

TEST(ByeWindowTest, EveryFailingStepIsSkipped) {
    for (const char* failing :
         {"Picture1.SetPersistentDrawing", "Picture1.Move", "Picture1.DrawPictureFile",
          "Picture1.Refresh", "Picture1.ImageToPicture", "Picture1.PaintPicture", "LoadPicture",
          "InspectPicture"}) {
        for (const auto* width : {L"0", L"300"}) {
            for (const auto* file : {L"C:\\bye.png", L"C:\\bye.bmp"}) {
                fake::Os os;
                Configure(os, {file, width, L"200"});
                os.windows.failing.insert(failing);
                const auto show = Show(os);
                EXPECT_EQ(std::count(show.begin(), show.end(), "Window.Show"), 1) << failing;
                EXPECT_EQ(show.back(), "EndProgram");
            }
        }
    }
}

// A 640 x 480 JPEG whose EXIF block records the orientation.
std::vector<std::uint8_t> CameraJpeg(std::uint8_t orientation) {
    using namespace picture_bytes;
    const Bytes exif = {'E', 'x',  'i', 'f', 0, 0, 'M', 'M', 0, 42,          0, 0, 0, 8, 0, 1,
                        1,   0x12, 0,   3,   0, 0, 0,   1,   0, orientation, 0, 0, 0, 0, 0, 0};
    return Cat({kSoi, Segment(0xE1, exif), Sof(640, 480), kSos, {0, 0, 0xFF, 0xD9}});
}

TEST(ByeWindowTest, DecodedPicturesShowUpright) {
    const struct {
        const char* name;
        Config config;
        std::vector<std::uint8_t> content;
        int reported;  // the orientation the decoder reports
        fake::Log show;
    } cases[] = {
        {"camera JPEG turned a quarter",
         {L"C:\\photo.jpeg", L"0", L""},
         CameraJpeg(6),
         0,
         {"InspectPicture C:\\photo.jpeg", "Picture1.Move 0 0 480 640",
          "Window.SetOuterSize 480 640", "Picture1.DrawPictureFile C:\\photo.jpeg 6 480 640",
          "Picture1.Refresh", "Picture1.ImageToPicture", "Window.CenterOnScreen 480 640"}},
        {"JPEG named .png: its own size, not the PNG probe",
         {L"C:\\photo.png", L"0", L""},
         CameraJpeg(1),
         8,  // the file's own block wins
         {"InspectPicture C:\\photo.png", "Picture1.Move 0 0 640 480",
          "Window.SetOuterSize 640 480", "Picture1.DrawPictureFile C:\\photo.png 1 640 480",
          "Picture1.Refresh", "Picture1.ImageToPicture", "Window.CenterOnScreen 640 480"}},
        {"PNG whose decoder would report an orientation: shown as stored",
         {L"C:\\photo.png", L"0", L""},
         picture_bytes::Png(640, 480),
         6,
         {"InspectPicture C:\\photo.png", "Picture1.Move 0 0 640 480",
          "Window.SetOuterSize 640 480", "Picture1.DrawPictureFile C:\\photo.png 1 640 480",
          "Picture1.Refresh", "Picture1.ImageToPicture", "Window.CenterOnScreen 640 480"}},
        {"HEIC whose decoder reports the orientation, fixed size",
         {L"C:\\photo.HEIC", L"300", L"200"},
         {0, 0, 0, 24, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'},
         8,
         {"InspectPicture C:\\photo.HEIC", "Picture1.Move 0 0 300 200",
          "Window.SetOuterSize 300 200", "Picture1.DrawPictureFile C:\\photo.HEIC 8 300 200",
          "Picture1.Refresh", "Picture1.ImageToPicture", "Window.CenterOnScreen 300 200"}},
        {"WebP that no decoder takes: the box keeps its size",
         {L"C:\\clip.webp", L"0", L""},
         {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'},
         0,
         {"InspectPicture C:\\clip.webp", "Window.CenterOnScreen 357 271"}},
        {"WebP that no decoder takes, fixed size",
         {L"C:\\clip.webp", L"320", L"240"},
         {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'},
         0,
         {"InspectPicture C:\\clip.webp", "Picture1.Move 0 0 320 240",
          "Window.SetOuterSize 320 240", "Picture1.Refresh", "Picture1.ImageToPicture",
          "Window.CenterOnScreen 320 240"}},
    };
    for (const auto& c : cases) {
        fake::Os os;
        Configure(os, c.config);
        os.files.files[c.config.mediaFile] = c.content;
        if (std::wstring(c.config.mediaFile).find(L"photo") != std::wstring::npos) {
            os.windows.pictures[c.config.mediaFile] = {640, 480};
            os.windows.orientations[c.config.mediaFile] = c.reported;
        }
        auto show = Show(os);
        fake::Log expected = {"Picture1.SetPersistentDrawing on"};
        expected.insert(expected.end(), c.show.begin(), c.show.end());
        expected.insert(expected.end(), {"Window.Show", "Window.MakeTopMost", "EndProgram"});
        EXPECT_EQ(show, expected) << c.name;
    }
}

TEST(ByeWindowTest, OverflowingPngLeavesTheSizeAsItStands) {
    fake::Os os;
    Configure(os, {L"C:\\wide.png", L"0", L""});
    auto header = Png(100, 40000);
    os.files.files[L"C:\\wide.png"] = header;
    EXPECT_EQ(Show(os)[2], "Picture1.Move 0 0 100 0");
}

TEST(ByeWindowTest, EachRequestDecidesTheShowAndNoneStartsASecond) {
    using R = platform::CloseRequest;
    using M = show::Moment;
    enum Command { None, Claimed, Announced };  // a Kestro command ends the session itself
    const std::string kReason = fake::Narrow(show::kBlockReason);
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

TEST(ByeWindowTest, ShowUsesTheSettingsFileAsItIsNow) {
    fake::Os os;
    Configure(os, {L"C:\\bye.bmp", L"0", L""});
    config::ReadSettings(os.platform);
    os.SetIni(L"MediaFile", L"C:\\bye.gif");
    const auto show = Show(os);
    EXPECT_EQ(show[1], "LoadPicture C:\\bye.gif");
}

TEST(ByeWindowTest, StillPictureEndings) {
    const struct {
        const wchar_t* path;
        bool still;
    } cases[] = {{L"a.bmp", true},  {L"a.GIF", true},  {L"a.Png", true}, {L"a.jpg", true},
                 {L"a.jpeg", true}, {L"a.avi", false}, {L".png", true},  {L"png", false},
                 {L"", false},      {L"a.png ", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(show::IsStillPicture(c.path), c.still) << fake::Narrow(c.path);
    }
}

}  // namespace
