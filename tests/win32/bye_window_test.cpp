#include "platform/win32/show/bye_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/win32/base/com_apartment.h"
#include "platform/win32/files/file_system.h"
#include "platform/win32/session/show_process.h"
#include "platform/win32/window_system.h"
#include "temp_dir.h"

namespace {

class RecordingEvents final : public platform::ByeWindowEvents {
  public:
    std::vector<platform::CloseRequest> requests;
    void OnCloseRequest(platform::CloseRequest request) override { requests.push_back(request); }
    void OnSessionChange(platform::SessionChange /*change*/) override {}
    void OnCutShort() override {}
};

// A 2 x 1 PNG: red at half opacity, then opaque blue.
const std::string kTwoPixelPng(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00"
    "\x01\x08\x06\x00\x00\x00\xf4\x22\x7f\x8a\x00\x00\x00\x11\x49\x44\x41\x54\x08\xd7\x63\xf8\xcf"
    "\xc0\x50\xcf\xc0\xf0\xff\x3f\x00\x0d\x79\x03\x7d\xe0\xa3\x2d\x38\x00\x00\x00\x00\x49\x45\x4e"
    "\x44\xae\x42\x60\x82",
    74);

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

TEST(ByeWindowTest, CloseRequestsTellWhoAskedToCloseAndWhy) {
    using platform::CloseRequest;
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        CloseRequest request;
    } cases[] = {
        {WM_CLOSE, 0, 0, CloseRequest::OtherProgram},  // taskkill without /F, a task manager
        {WM_SYSCOMMAND, SC_CLOSE, 0, CloseRequest::CloseCommand},
        {WM_QUERYENDSESSION, 0, 0, CloseRequest::ShutDown},
        {WM_QUERYENDSESSION, 0, static_cast<LPARAM>(ENDSESSION_LOGOFF), CloseRequest::LogOff},
        {WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, CloseRequest::CloseApp},
        {WM_QUERYENDSESSION, 0, ENDSESSION_CRITICAL, CloseRequest::Critical},
        // A forced log-off is still forced; a close-app request never ends the session.
        {WM_QUERYENDSESSION, 0, static_cast<LPARAM>(ENDSESSION_LOGOFF | ENDSESSION_CRITICAL),
         CloseRequest::Critical},
        {WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP | ENDSESSION_CRITICAL, CloseRequest::CloseApp},
    };
    for (const auto& c : cases) {
        RecordingEvents events;
        win32::ByeWindow window(events, L"");
        SendMessageW(window.Hwnd(), c.message, c.wParam, c.lParam);
        EXPECT_EQ(events.requests, std::vector<CloseRequest>{c.request})
            << c.message << " " << std::hex << c.lParam;
        EXPECT_TRUE(IsWindow(window.Hwnd()));  // the close is never carried out by the window
    }
}

TEST(ByeWindowTest, HiddenWithoutFrameAndOutOfTheTaskbar) {
    RecordingEvents events;
    win32::ByeWindow window(events, L"");
    EXPECT_FALSE(IsWindowVisible(window.Hwnd()));
    EXPECT_TRUE(GetWindowLongPtrW(window.Hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    window.SetOuterSize(300, 200);
    window.CenterOnScreen();
    RECT client{};
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    RECT bounds{};
    GetWindowRect(window.Hwnd(), &bounds);
    EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
    // A command asks the show's own window whether it answers, not another window of the
    // process (a decoder's or a driver's, which may hang); made last, that comes first.
    const win32::Window other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                              nullptr, nullptr, nullptr));
    EXPECT_EQ(win32::ShowWindowOf(GetCurrentProcessId()), window.Hwnd());
    EXPECT_FALSE(win32::ShowBegun(window.Hwnd()));  // a waiting window: no command ends it
}

// A hidden exit-show window whose picture box the tests draw into, with a folder for files.
class PictureBoxTest : public ::testing::Test {
  protected:
    const win32::ComApartment apartment;
    TempDir dir;
    RecordingEvents events;
    win32::ByeWindow window{events, L""};
    win32::PictureBox& box = window.Box();
};

// Draws a picture file into the whole box as the show does: the file's bytes to the decoder,
// the picture brought to the box's size before the turn.
void DrawFile(win32::PictureBox& box, const std::wstring& path,
              platform::Orientation orientation = {}) {
    win32::WindowSystem windows;
    const auto picture = windows.OpenPicture(win32::ReadWholeFile(path, 1U << 20), false);
    auto scaled = box.InnerSize();
    if (orientation.SwapsSides()) {
        std::swap(scaled.width, scaled.height);
    }
    box.DrawPicture(*picture, orientation, scaled);
}

TEST_F(PictureBoxTest, MoveSizesTheBoxAlone) {
    box.Move(0, 0, 50, 40);
    EXPECT_EQ(box.InnerSize(), (platform::Size{50, 40}));
    RECT bounds{};
    GetWindowRect(window.Hwnd(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 357);
    EXPECT_THROW(box.Move(0, 0, -1, 10), platform::Error);
}

TEST_F(PictureBoxTest, PngIsBlendedOverTheBackground) {
    dir.Write(L"two.png", kTwoPixelPng);
    box.SetPersistentDrawing(true);
    box.Move(0, 0, 2, 1);
    DrawFile(box, dir.File(L"two.png"));
    const std::uint32_t background = Rgb(GetSysColor(COLOR_ACTIVECAPTION));
    const auto channel = [](std::uint32_t colour, int shift) { return (colour >> shift) & 0xFFU; };
    const std::uint32_t half = box.PixelAt(0, 0);
    EXPECT_NEAR(channel(half, 16), 128 + channel(background, 16) / 2, 2);
    EXPECT_NEAR(channel(half, 8), channel(background, 8) / 2, 2);
    EXPECT_NEAR(channel(half, 0), channel(background, 0) / 2, 2);
    EXPECT_EQ(box.PixelAt(1, 0), 0x0000FFU);

    // Stretched to a fixed size: the left half red over the background, the right half blue.
    box.Move(0, 0, 40, 10);
    DrawFile(box, dir.File(L"two.png"));
    EXPECT_EQ(box.PixelAt(39, 5), 0x0000FFU);
    EXPECT_NEAR(channel(box.PixelAt(1, 5), 16), 128 + channel(background, 16) / 2, 3);
}

// Opaque PNGs of 8 and of 16 bits a channel, 2 x 1: the same colours at their own size, where
// the box reads the decoder's pixels itself, as stretched, where the imaging component
// converts them.
TEST_F(PictureBoxTest, OpaquePngsComeOutAlikeAtAnySize) {
    const struct {
        const wchar_t* name;
        std::string bytes;
    } cases[] = {
        {L"rgb8.png",
         std::string("\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00"
                     "\x02\x00\x00\x00\x01\x08\x02\x00\x00\x00\x7b\x40\xe8\xdd\x00\x00\x00\x0f\x49"
                     "\x44\x41\x54\x78\xda\x63\x10\x6a\xf8\xc7\xe0\x70\x00\x00\x08\x2b\x02\x91\x78"
                     "\x39\x5f\xaf\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
                     72)},
        // Channels 0x1280 0x807F 0xFE00, then 0x0000 0x4040 0xC0C0.
        {L"rgb16.png",
         std::string("\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00"
                     "\x02\x00\x00\x00\x01\x10\x02\x00\x00\x00\x2b\xd0\x34\x9e\x00\x00\x00\x15\x49"
                     "\x44\x41\x54\x78\xda\x63\x10\x6a\x68\xa8\xff\xc7\xc0\xc0\xe0\xe0\x70\xe0\x00"
                     "\x00\x1b\xcc\x04\x90\xb2\x2e\x47\x57\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42"
                     "\x60\x82",
                     78)},
    };
    const auto alike = [](std::uint32_t got, std::uint32_t want) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>((got >> shift) & 0xFFU);
            const int b = static_cast<int>((want >> shift) & 0xFFU);
            if (a - b > 1 || b - a > 1) {
                return false;
            }
        }
        return true;
    };
    box.SetPersistentDrawing(true);
    for (const auto& c : cases) {
        dir.Write(c.name, c.bytes);
        for (const int scale : {1, 3}) {
            box.Move(0, 0, 2 * scale, scale);
            DrawFile(box, dir.File(c.name));
            EXPECT_PRED2(alike, box.PixelAt(0, 0), 0x1280FEU) << scale;
            EXPECT_PRED2(alike, box.PixelAt(2 * scale - 1, scale - 1), 0x0040C0U) << scale;
        }
    }
}

// The picture taken from the image keeps what the image held then, although the image is drawn
// into again; a picture taller than the decoder's bands arrives whole.
TEST_F(PictureBoxTest, ImageToPictureKeepsTheImageAsItWas) {
    dir.Write(L"two.png", kTwoPixelPng);
    box.SetPersistentDrawing(true);
    box.Move(0, 0, 40, 150);
    DrawFile(box, dir.File(L"two.png"));
    const std::uint32_t once = box.PixelAt(1, 5);
    EXPECT_EQ(box.PixelAt(39, 149), 0x0000FFU);
    box.ImageToPicture();
    // The half-transparent half, blended over itself, comes out another colour.
    DrawFile(box, dir.File(L"two.png"));
    EXPECT_NE(box.PixelAt(1, 5), once);
    // A new image of another size starts from the picture.
    box.Move(0, 0, 41, 150);
    EXPECT_EQ(box.PixelAt(1, 5), once);
    EXPECT_EQ(box.PixelAt(39, 149), 0x0000FFU);
}

TEST_F(PictureBoxTest, HugeOrBrokenPngFailsQuickly) {
    std::string huge = kTwoPixelPng;
    huge[18] = '\x4e';  // 20000 x 20000 in the header
    huge[19] = '\x20';
    huge[22] = '\x4e';
    huge[23] = '\x20';
    dir.Write(L"huge.png", huge);
    dir.Write(L"text.png", "not a picture");
    dir.Write(L"cut.png", kTwoPixelPng.substr(0, 40));
    box.SetPersistentDrawing(true);
    box.Move(0, 0, 30, 20);
    for (const auto* name : {L"huge.png", L"text.png", L"cut.png", L"missing.png"}) {
        EXPECT_THROW(DrawFile(box, dir.File(name)), platform::Error);
    }
    // A box too large to keep an image has none to draw into.
    box.Move(0, 0, 20000, 20000);
    EXPECT_THROW(DrawFile(box, dir.File(L"huge.png")), platform::Error);
    box.Move(0, 0, 0, 0);
    try {
        DrawFile(box, dir.File(L"two.png"));  // may refuse, but must neither crash nor hang
    } catch (const platform::Error&) {
    }
}

// A 24-bit BMP of width x height pixels given top row first as 0xRRGGBB.
std::string Bmp(int width, int height, const std::vector<std::uint32_t>& pixels) {
    const auto little = [](std::uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i) {
            text += static_cast<char>((value >> (8 * i)) & 0xFFU);
        }
        return text;
    };
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {  // stored bottom row first
        for (int x = 0; x < width; ++x) {
            rows += little(pixels[static_cast<std::size_t>(y * width + x)], 3);
        }
        rows += std::string(static_cast<std::size_t>((4 - width * 3 % 4) % 4), '\0');
    }
    return "BM" + little(static_cast<std::uint32_t>(54 + rows.size()), 4) + little(0, 4) +
           little(54, 4) + little(40, 4) + little(static_cast<std::uint32_t>(width), 4) +
           little(static_cast<std::uint32_t>(height), 4) + little(1, 2) + little(24, 2) +
           std::string(24, '\0') + rows;
}

TEST_F(PictureBoxTest, DecodedPicturesTurnByTheirOrientation) {
    // Corners a b / c d of a 3 x 2 picture.
    constexpr std::uint32_t a = 0xFF0000, b = 0x00FF00, c = 0x0000FF, d = 0xFFFF00;
    dir.Write(L"corners.bmp", Bmp(3, 2, {a, 0x808080, b, c, 0x808080, d}));
    // As shown: top left, top right, bottom left, bottom right.
    const std::uint32_t corners[8][4] = {{a, b, c, d}, {b, a, d, c}, {d, c, b, a}, {c, d, a, b},
                                         {a, c, b, d}, {c, a, d, b}, {d, b, c, a}, {b, d, a, c}};
    win32::WindowSystem windows;
    const auto picture =
        windows.OpenPicture(win32::ReadWholeFile(dir.File(L"corners.bmp"), 1024), true);
    EXPECT_EQ(picture->StoredSize(), (platform::Size{3, 2}));
    box.SetPersistentDrawing(true);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const bool quarter = orientation >= 5;
        const int width = quarter ? 2 : 3;
        const int height = quarter ? 3 : 2;
        box.Move(0, 0, width, height);
        DrawFile(box, dir.File(L"corners.bmp"), *platform::Orientation::FromExif(orientation));
        const auto* expected = corners[orientation - 1];
        EXPECT_EQ(box.PixelAt(0, 0), expected[0]) << orientation;
        EXPECT_EQ(box.PixelAt(width - 1, 0), expected[1]) << orientation;
        EXPECT_EQ(box.PixelAt(0, height - 1), expected[2]) << orientation;
        EXPECT_EQ(box.PixelAt(width - 1, height - 1), expected[3]) << orientation;
    }
    // Stretched to 30 x 20, upright; turned first, then stretched: a quarter turn stretched
    // back to 30 x 20.
    box.Move(0, 0, 30, 20);
    DrawFile(box, dir.File(L"corners.bmp"));
    EXPECT_EQ(box.PixelAt(1, 1), a);
    EXPECT_EQ(box.PixelAt(28, 18), d);
    const auto sideways = *platform::Orientation::FromExif(6);
    DrawFile(box, dir.File(L"corners.bmp"), sideways);
    EXPECT_EQ(box.PixelAt(1, 1), c);
    EXPECT_EQ(box.PixelAt(28, 18), b);

    // Shrunk, each pixel shown is the average of the pixels it covers; turned after that.
    dir.Write(L"blocks.bmp", Bmp(4, 2,
                                 {0x000000, 0x202020, 0xFF0000, 0xFF0000, 0x404040, 0x606060,
                                  0x0000FF, 0x0000FF}));
    box.Move(0, 0, 2, 1);
    DrawFile(box, dir.File(L"blocks.bmp"));
    EXPECT_EQ(box.PixelAt(0, 0), 0x303030U);
    EXPECT_EQ(box.PixelAt(1, 0), 0x800080U);
    box.Move(0, 0, 1, 2);
    DrawFile(box, dir.File(L"blocks.bmp"), sideways);
    EXPECT_EQ(box.PixelAt(0, 0), 0x303030U);
    EXPECT_EQ(box.PixelAt(0, 1), 0x800080U);

    for (const auto* bytes : {"not a picture", ""}) {
        EXPECT_THROW(
            windows.OpenPicture(std::vector<std::uint8_t>(bytes, bytes + std::strlen(bytes)), true),
            platform::Error);
    }
}

}  // namespace
