#include "show/picture_header.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "picture_bytes.h"
#include "platform/error.h"
#include "show/picture_inspection.h"

namespace {

using namespace picture_bytes;
using show::PictureFormat;

Bytes Cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes Patch(Bytes bytes, std::size_t at, std::initializer_list<std::uint8_t> with) {
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

struct Declared {
    PictureFormat format;
    std::uint32_t width;
    std::uint32_t height;
};

TEST(PictureHeaderTest, SizeAndRefusal) {
    const Bytes junk = {0x00, 0x13, 0x37};
    const Bytes fill = {0xFF, 0xFF};
    const struct {
        const char* name;
        Bytes bytes;
        std::optional<Declared> declared;
        bool refused;
    } cases[] = {
        // Sizes as declared, each format told by its content.
        {"bmp", Bmp(200, 120), Declared{PictureFormat::Bmp, 200, 120}, false},
        {"bmp top-down", Bmp(200, -120), Declared{PictureFormat::Bmp, 200, 120}, false},
        {"bmp core header", Bmp(30, 20, 12), Declared{PictureFormat::Bmp, 30, 20}, false},
        {"bmp v5 header", Bmp(30, 20, 124), Declared{PictureFormat::Bmp, 30, 20}, false},
        {"png", Png(352, 288), Declared{PictureFormat::Png, 352, 288}, false},
        {"jpeg", Jpeg(640, 480), Declared{PictureFormat::Jpeg, 640, 480}, false},
        {"jpeg progressive", Jpeg(640, 480, 0xC2), Declared{PictureFormat::Jpeg, 640, 480}, false},
        {"jpeg stray bytes, fill bytes, restart marker and tables before the frame",
         Cat({kSoi, kApp0, junk, fill, {0xFF, 0xD0}, Segment(0xC4, {0, 1, 2}), Sof(64, 48)}),
         Declared{PictureFormat::Jpeg, 64, 48}, false},
        {"gif", Gif({32, 16}), Declared{PictureFormat::Gif, 32, 16}, false},
        {"gif extension and several frames",
         Cat({Cut(Gif({32, 16}, {}), 19),
              {0x21, 0xF9, 4, 0, 0, 0, 0, 0},
              GifFrame({1, 1}),
              GifFrame({32, 16}),
              {0x3B}}),
         Declared{PictureFormat::Gif, 32, 16}, false},
        {"largest", Jpeg(8192, 8192), Declared{PictureFormat::Jpeg, 8192, 8192}, false},
        // Too large, or empty.
        {"jpeg 37000 x 37000", Jpeg(37000, 37000), Declared{PictureFormat::Jpeg, 37000, 37000},
         true},
        {"one pixel too many", Png(8192, 8193), Declared{PictureFormat::Png, 8192, 8193}, true},
        {"png 2^32-1 wide", Png(0xFFFFFFFF, 1), Declared{PictureFormat::Png, 0xFFFFFFFF, 1}, true},
        {"bmp 50000 top-down", Bmp(50000, -50000), Declared{PictureFormat::Bmp, 50000, 50000},
         true},
        {"jpeg height 0", Jpeg(64, 0), Declared{PictureFormat::Jpeg, 64, 0}, true},
        {"bmp width 0", Bmp(0, 48), Declared{PictureFormat::Bmp, 0, 48}, true},
        {"gif screen 0 x 0", Gif({0, 0}), Declared{PictureFormat::Gif, 0, 0}, true},
        {"gif frame 65535 x 65535", Gif({32, 16}, {{65535, 65535}}),
         Declared{PictureFormat::Gif, 32, 16}, true},
        {"gif second frame 65535 x 65535", Gif({32, 16}, {{1, 1}, {65535, 65535}}),
         Declared{PictureFormat::Gif, 32, 16}, true},
        {"gif frame 0 x 0", Gif({32, 16}, {{0, 0}}), Declared{PictureFormat::Gif, 32, 16}, true},
        // Lying fields and markers out of order.
        {"bmp width negative", Bmp(-5, 48), std::nullopt, true},
        {"bmp height -2^31", Bmp(5, INT32_MIN), std::nullopt, true},
        {"bmp header size 2^32-1", Bmp(5, 5, 0xFFFFFFFF), std::nullopt, true},
        {"bmp header size 13", Bmp(5, 5, 13), std::nullopt, true},
        {"png first chunk not the header", Png(64, 48, "IDAT"), std::nullopt, true},
        {"jpeg scan before frame", Cat({kSoi, kSos, Sof(64, 48)}), std::nullopt, true},
        {"jpeg end before frame", Cat({kSoi, {0xFF, 0xD9}, Sof(64, 48)}), std::nullopt, true},
        {"jpeg second start", Cat({kSoi, kSoi, Sof(64, 48)}), std::nullopt, true},
        {"jpeg segment length 1", Cat({kSoi, {0xFF, 0xE1, 0, 1}, Sof(64, 48)}), std::nullopt, true},
        {"jpeg segment longer than the file", Cat({kSoi, {0xFF, 0xE1, 0xFF, 0xFF}, Sof(64, 48)}),
         std::nullopt, true},
        {"jpeg frame header too short", Cat({kSoi, Segment(0xC0, {8, 0, 1})}), std::nullopt, true},
        {"gif unknown block before any frame", Patch(Gif({32, 16}), 19, {0x99}),
         Declared{PictureFormat::Gif, 32, 16}, true},
        {"gif unknown block after the first frame",
         Patch(Gif({32, 16}, {{1, 1}, {65535, 65535}}), 34, {0x99}),
         Declared{PictureFormat::Gif, 32, 16}, false},
        // Cut off.
        {"empty", {}, std::nullopt, true},
        {"bmp cut in the height", Cut(Bmp(64, 48), 25), std::nullopt, true},
        {"bmp core cut in the height", Cut(Bmp(64, 48, 12), 21), std::nullopt, true},
        {"png cut in the height", Cut(Png(64, 48), 23), std::nullopt, true},
        {"jpeg cut in the frame header", Cut(Jpeg(64, 48), 26), std::nullopt, true},
        {"jpeg start only", kSoi, std::nullopt, true},
        {"gif cut in the screen", Cut(Gif({32, 16}), 9), std::nullopt, true},
        {"gif cut after the colour table", Cut(Gif({32, 16}), 19),
         Declared{PictureFormat::Gif, 32, 16}, true},
        {"gif cut in the first frame's data", Cut(Gif({32, 16}), 31),
         Declared{PictureFormat::Gif, 32, 16}, false},
        {"gif second frame cut", Cut(Gif({32, 16}, {{1, 1}, {65535, 65535}}), 36),
         Declared{PictureFormat::Gif, 32, 16}, false},
        // Other content.
        {"text", {'G', 'I', 'F', '9', '0', 'a', 0, 0, 0, 0, 0, 0, 0}, std::nullopt, true},
        {"tiff", {'I', 'I', 42, 0, 8, 0, 0, 0}, std::nullopt, true},
    };
    for (const auto& c : cases) {
        const auto header = show::ReadPictureHeader(c.bytes);
        ASSERT_EQ(header.has_value(), c.declared.has_value()) << c.name;
        if (header) {
            EXPECT_EQ(header->format, c.declared->format) << c.name;
            EXPECT_EQ(header->width, c.declared->width) << c.name;
            EXPECT_EQ(header->height, c.declared->height) << c.name;
        }
        EXPECT_EQ(show::PictureRefusal(c.bytes).has_value(), c.refused) << c.name;
    }
}

// Metadata segments of this many bytes in all, before a JPEG's frame header.
Bytes Metadata(std::size_t bytes) {
    Bytes out;
    constexpr std::size_t kLongest = 65533;
    for (std::size_t left = bytes; left > 0; left -= std::min(left, kLongest)) {
        const auto segment = Segment(0xE1, Bytes(std::min(left, kLongest) - 4, 0));
        out.insert(out.end(), segment.begin(), segment.end());
    }
    return out;
}

// A GIF comment block of at least this many bytes.
Bytes Comment(std::size_t bytes) {
    Bytes out = {0x21, 0xFE};
    for (std::size_t i = 0; i < bytes; i += 255) {
        out.push_back(255);
        out.insert(out.end(), 255, 'c');
    }
    out.push_back(0);
    return out;
}

// The inspection reads a large PNG's header without the rest of the file, and still reads as
// far as the headers of a JPEG or a GIF go, each byte once.
TEST(PictureHeaderTest, FileCheck) {
    constexpr std::size_t kFirst = show::kPictureHeadBytes;
    const Bytes past(kFirst, 0x55);
    const Bytes metadata = Metadata(kFirst + 1000);
    const struct {
        const char* name;
        Bytes bytes;
        bool refused;
        std::size_t mostRead;
    } cases[] = {
        {"jpeg", Jpeg(64, 48), false, kFirst},
        {"jpeg too large", Jpeg(37000, 37000), true, kFirst},
        {"large png", Cat({Png(1920, 1080), past, past}), false, kFirst},
        {"large png too large", Cat({Png(9000, 9000), past}), true, kFirst},
        {"jpeg frame header past the first read", Cat({kSoi, metadata, Sof(64, 48), kSos, past}),
         false, 4 * kFirst},
        {"jpeg too large past the first read", Cat({kSoi, metadata, Sof(37000, 37000), kSos, past}),
         true, 4 * kFirst},
        {"gif frame too large past the first read",
         Cat({Cut(Gif({32, 16}), 19),
              GifFrame({1, 1}),
              Comment(kFirst),
              GifFrame({65535, 65535}),
              {0x3B}}),
         true, 4 * kFirst},
    };
    for (const auto& c : cases) {
        fake::FileSystem files;
        files.files[L"C:\\picture"] = c.bytes;
        const auto inspection = show::InspectPictureFile(files, L"C:\\picture");
        EXPECT_EQ(inspection.refusal.has_value(), c.refused) << c.name;
        EXPECT_LE(files.bytesRead, c.mostRead) << c.name;
    }
    fake::FileSystem none;
    EXPECT_TRUE(show::InspectPictureFile(none, L"C:\\missing.jpg").refusal);
}

}  // namespace
