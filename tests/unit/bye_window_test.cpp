#include "show/bye_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/forms.h"
#include "config/settings.h"
#include "fake_os.h"
#include "picture_bytes.h"
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

TEST(ByeWindowTest, EachCloseRequestDecidesTheShow) {
    using platform::CloseRequest;
    const std::string block = "SetBlockReason 2942 終了時の画像やサウンドを再生しています";
    const std::string clear = "ClearBlockReason 2942";
    const struct {
        CloseRequest request;
        bool announced;  // a Kestro command has shown the show already
        bool shows;
        bool blocks;
    } cases[] = {
        {CloseRequest::CloseCommand, false, true, false},
        {CloseRequest::Unload, false, true, false},
        {CloseRequest::ShutDown, false, true, true},
        {CloseRequest::LogOff, false, true, true},
        {CloseRequest::ShutDown, true, false, false},
        {CloseRequest::LogOff, true, false, false},
        {CloseRequest::CloseApp, false, false, false},
        {CloseRequest::Critical, false, false, false},
        {CloseRequest::OtherProgram, false, false, false},
    };
    for (const auto& c : cases) {
        for (const auto* mediaFile : {L"C:\\bye.bmp", L"C:\\bye.wav"}) {
            fake::Os os;
            Configure(os, {mediaFile, L"0", L""});
            os.session.announced = c.announced;
            const auto show = Show(os, c.request);
            const auto trace = testing::Message()
                               << static_cast<int>(c.request) << " " << fake::Narrow(mediaFile);
            if (!c.shows) {
                EXPECT_EQ(show, (fake::Log{"EndProgram"})) << trace;
                EXPECT_EQ(config::Settings().MediaFile, L"") << trace;  // not even read
                continue;
            }
            const auto first = std::find_if(show.begin(), show.end(), [](const std::string& line) {
                return line == "Window.Show" || line.rfind("MCI open", 0) == 0;
            });
            ASSERT_NE(first, show.end()) << trace;
            if (c.blocks) {
                // Set before anything is seen or heard, removed as the last step.
                EXPECT_EQ(show.front(), block) << trace;
                EXPECT_EQ(show[show.size() - 2], clear) << trace;
            } else {
                EXPECT_EQ(std::count(show.begin(), show.end(), block), 0) << trace;
                EXPECT_EQ(std::count(show.begin(), show.end(), clear), 0) << trace;
            }
            EXPECT_EQ(show.back(), "EndProgram") << trace;
        }
    }
}

TEST(ByeWindowTest, ARequestDuringAShowNeverStartsAnother) {
    using platform::CloseRequest;
    const struct {
        CloseRequest first;  // Unload: the test show, or that of the show process served
        std::optional<config::Moment> served;
        CloseRequest second;
        bool endsAtOnce;  // else answered, and the running show goes on to its end
    } cases[] = {
        {CloseRequest::Unload, {}, CloseRequest::ShutDown, true},
        {CloseRequest::Unload, {}, CloseRequest::LogOff, true},
        {CloseRequest::Unload, {}, CloseRequest::CloseCommand, false},
        {CloseRequest::ShutDown, {}, CloseRequest::ShutDown, false},
        {CloseRequest::LogOff, {}, CloseRequest::LogOff, false},
        {CloseRequest::ShutDown, {}, CloseRequest::Critical, true},
        {CloseRequest::Unload, config::Moment::ShutDown, CloseRequest::ShutDown, false},
        {CloseRequest::Unload, config::Moment::SignOut, CloseRequest::LogOff, false},
        {CloseRequest::Unload, config::Moment::ShutDown, CloseRequest::OtherProgram, true},
        {CloseRequest::Unload, config::Moment::SignIn, CloseRequest::LogOff, true},
    };
    for (const auto& c : cases) {
        for (const auto* mediaFile : {L"C:\\bye.bmp", L"C:\\bye.wav"}) {
            fake::Os os;
            Configure(os, {mediaFile, L"0", L""});
            os.SetIni(L"LogonFile", mediaFile);
            auto& window = app::TheByeWindow(os.platform);
            if (c.served) {
                window.Serve(*c.served);
            }
            os.process.onPump = [&] {
                os.log.emplace_back("second request");
                window.OnCloseRequest(c.second);
                os.log.emplace_back("answered");
            };
            EXPECT_THROW(window.OnCloseRequest(c.first), fake::ProgramEnded);
            const auto trace = testing::Message()
                               << static_cast<int>(c.first) << c.served.has_value()
                               << static_cast<int>(c.second) << fake::Narrow(mediaFile);
            const auto second = std::find(os.log.begin(), os.log.end(), "second request");
            ASSERT_NE(second, os.log.end()) << trace;
            EXPECT_EQ(*std::next(second), c.endsAtOnce ? "EndProgram" : "answered") << trace;
            EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "EndProgram"), 1) << trace;
            EXPECT_EQ(std::count_if(os.log.begin(), os.log.end(),
                                    [](const auto& line) {
                                        return line == "Window.Show" ||
                                               line.rfind("MCI open", 0) == 0;
                                    }),
                      1)
                << trace;
        }
    }
}

TEST(ByeWindowTest, ShowUsesTheSettingsFileAsItIsNow) {
    fake::Os os;
    Configure(os, {L"C:\\bye.bmp", L"0", L""});
    config::LoadSettings(os.platform);
    os.SetIni(L"MediaFile", L"C:\\bye.gif");
    const auto show = Show(os);
    EXPECT_NE(std::find(show.begin(), show.end(), "Picture1.DrawPicture 32 16 -> 32 16 turned 1"),
              show.end());
}

}  // namespace
