#include "show/picture_header.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "picture_bytes.h"
#include "platform/error.h"
#include "show/picture_inspection.h"

namespace {

using namespace picture_bytes;
using show::PictureContent;

Bytes Cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes Patch(Bytes bytes, std::size_t at, std::initializer_list<std::uint8_t> with) {
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

// What the reader says of a file: its content, and its size where it reads and accepts one.
struct Said {
    PictureContent content;
    std::optional<platform::Size> size;
};

Said Accepted(PictureContent content, int width, int height) {
    return {content, platform::Size{width, height}};
}

TEST(PictureHeaderTest, SizeAndRefusal) {
    const Bytes junk = {0x00, 0x13, 0x37};
    const Bytes fill = {0xFF, 0xFF};
    const struct {
        const char* name;
        Bytes bytes;
        std::optional<Said> said;  // nothing: only the refusal is judged
        bool refused;
    } cases[] = {
        // Sizes as declared, each format told by its content.
        {"bmp", Bmp(200, 120), Accepted(PictureContent::Bmp, 200, 120), false},
        {"bmp top-down", Bmp(200, -120), Accepted(PictureContent::Bmp, 200, 120), false},
        {"bmp core header", Bmp(30, 20, 12), Accepted(PictureContent::Bmp, 30, 20), false},
        {"bmp v5 header", Bmp(30, 20, 124), Accepted(PictureContent::Bmp, 30, 20), false},
        {"png", Png(352, 288), Accepted(PictureContent::Png, 352, 288), false},
        {"jpeg", Jpeg(640, 480), Accepted(PictureContent::Jpeg, 640, 480), false},
        {"jpeg progressive", Jpeg(640, 480, 0xC2), Accepted(PictureContent::Jpeg, 640, 480), false},
        {"jpeg stray bytes, fill bytes, restart marker and tables before the frame",
         Cat({kSoi, kApp0, junk, fill, {0xFF, 0xD0}, Segment(0xC4, {0, 1, 2}), Sof(64, 48)}),
         Accepted(PictureContent::Jpeg, 64, 48), false},
        {"gif", Gif({32, 16}), Accepted(PictureContent::Gif, 32, 16), false},
        {"gif extension and several frames",
         Cat({Cut(Gif({32, 16}, {}), 19),
              {0x21, 0xF9, 4, 0, 0, 0, 0, 0},
              GifFrame({1, 1}),
              GifFrame({32, 16}),
              {0x3B}}),
         Accepted(PictureContent::Gif, 32, 16), false},
        {"png taller than 32767", Png(1000, 33000), Accepted(PictureContent::Png, 1000, 33000),
         false},
        {"png wider than 65535", Png(70000, 900), Accepted(PictureContent::Png, 70000, 900), false},
        {"largest", Jpeg(8192, 8192), Accepted(PictureContent::Jpeg, 8192, 8192), false},
        // Too large, or empty.
        {"jpeg 37000 x 37000", Jpeg(37000, 37000), Said{PictureContent::Jpeg, {}}, true},
        {"one pixel too many", Png(8192, 8193), Said{PictureContent::Png, {}}, true},
        {"png 2^32-1 wide", Png(0xFFFFFFFF, 1), Said{PictureContent::Png, {}}, true},
        {"bmp 50000 top-down", Bmp(50000, -50000), Said{PictureContent::Bmp, {}}, true},
        {"jpeg height 0", Jpeg(64, 0), Said{PictureContent::Jpeg, {}}, true},
        {"bmp width 0", Bmp(0, 48), Said{PictureContent::Bmp, {}}, true},
        {"gif screen 0 x 0", Gif({0, 0}), Said{PictureContent::Gif, {}}, true},
        {"gif frame 65535 x 65535", Gif({32, 16}, {{65535, 65535}}), Said{PictureContent::Gif, {}},
         true},
        {"gif second frame 65535 x 65535", Gif({32, 16}, {{1, 1}, {65535, 65535}}),
         Said{PictureContent::Gif, {}}, true},
        {"gif frame 0 x 0", Gif({32, 16}, {{0, 0}}), Said{PictureContent::Gif, {}}, true},
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
         Said{PictureContent::Gif, {}}, true},
        {"gif unknown block after the first frame",
         Patch(Gif({32, 16}, {{1, 1}, {65535, 65535}}), 34, {0x99}),
         Accepted(PictureContent::Gif, 32, 16), false},
        // Cut off.
        {"empty", {}, std::nullopt, true},
        {"bmp cut in the height", Cut(Bmp(64, 48), 25), std::nullopt, true},
        {"bmp core cut in the height", Cut(Bmp(64, 48, 12), 21), std::nullopt, true},
        {"png cut in the height", Cut(Png(64, 48), 23), std::nullopt, true},
        {"jpeg cut in the frame header", Cut(Jpeg(64, 48), 26), std::nullopt, true},
        {"jpeg start only", kSoi, std::nullopt, true},
        {"gif cut in the screen", Cut(Gif({32, 16}), 9), std::nullopt, true},
        {"gif cut after the colour table", Cut(Gif({32, 16}), 19), Said{PictureContent::Gif, {}},
         true},
        {"gif cut in the first frame's data", Cut(Gif({32, 16}), 31),
         Accepted(PictureContent::Gif, 32, 16), false},
        {"gif second frame cut", Cut(Gif({32, 16}, {{1, 1}, {65535, 65535}}), 36),
         Accepted(PictureContent::Gif, 32, 16), false},
        // Other content.
        {"text", {'G', 'I', 'F', '9', '0', 'a', 0, 0, 0, 0, 0, 0, 0}, std::nullopt, true},
        {"jpeg start without a marker after it", Cat({{0xFF, 0xD8}, junk, Sof(64, 48)}),
         Said{PictureContent::Unknown, {}}, true},
        {"wave", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, std::nullopt, true},
        {"mp4", {0, 0, 0, 24, 'f', 't', 'y', 'p', 'i', 's', 'o', 'm'}, std::nullopt, true},
        {"icon without images", {0, 0, 1, 0, 0, 0}, std::nullopt, true},
        {"png signature cut", {0x89, 'P', 'N', 'G'}, std::nullopt, true},
        // Formats whose size the decoder reads and checks.
        {"tiff, Intel", {'I', 'I', 42, 0, 8, 0}, Said{PictureContent::Tiff, {}}, false},
        {"tiff, Motorola", {'M', 'M', 0, 42, 0, 0}, Said{PictureContent::Tiff, {}}, false},
        {"webp",
         {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'},
         Said{PictureContent::WebP, {}},
         false},
        {"heic",
         {0, 0, 0, 24, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'},
         Said{PictureContent::Heif, {}},
         false},
        {"heif, generic brand",
         {0, 0, 0, 24, 'f', 't', 'y', 'p', 'm', 'i', 'f', '1'},
         Said{PictureContent::Heif, {}},
         false},
        {"icon", {0, 0, 1, 0, 1, 0}, Said{PictureContent::Icon, {}}, false},
    };
    for (const auto& c : cases) {
        const auto header = show::ReadPictureHeader(c.bytes);
        EXPECT_EQ(header.refusal.has_value(), c.refused) << c.name;
        if (c.said) {
            EXPECT_EQ(header.content, c.said->content) << c.name;
            EXPECT_EQ(header.size, c.said->size) << c.name;
        }
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

// The inspection reads the file once, whole, and finds the frame header of a JPEG or a GIF's
// frames past its first bytes; what it refuses, no decoder gets.
TEST(PictureHeaderTest, FileCheck) {
    constexpr std::size_t kFirst = show::kPictureHeadBytes;
    const Bytes past(kFirst, 0x55);
    const Bytes metadata = Metadata(kFirst + 1000);
    const struct {
        const char* name;
        Bytes bytes;
        bool refused;
    } cases[] = {
        {"jpeg", Jpeg(64, 48), false},
        {"jpeg too large", Jpeg(37000, 37000), true},
        {"large png", Cat({Png(1920, 1080), past, past}), false},
        {"large png too large", Cat({Png(9000, 9000), past}), true},
        {"jpeg frame header past the first read", Cat({kSoi, metadata, Sof(64, 48), kSos, past}),
         false},
        {"jpeg too large past the first read", Cat({kSoi, metadata, Sof(37000, 37000), kSos, past}),
         true},
        {"gif frame too large past the first read",
         Cat({Cut(Gif({32, 16}), 19),
              GifFrame({1, 1}),
              Comment(kFirst),
              GifFrame({65535, 65535}),
              {0x3B}}),
         true},
    };
    for (const auto& c : cases) {
        fake::FileSystem files;
        files.files[L"C:\\picture"] = c.bytes;
        const auto inspection = show::InspectPictureFile(files, L"C:\\picture");
        EXPECT_EQ(inspection.header.refusal.has_value(), c.refused) << c.name;
        EXPECT_EQ(files.bytesRead, c.bytes.size()) << c.name;
        EXPECT_EQ(inspection.bytes.size(), c.refused ? 0 : c.bytes.size()) << c.name;
    }
    fake::FileSystem none;
    EXPECT_TRUE(show::InspectPictureFile(none, L"C:\\missing.jpg").header.refusal);
    // A large file that no signature names is refused on its head alone.
    fake::FileSystem other;
    other.files[L"C:\\film.jpg"] = std::vector<std::uint8_t>(show::kPictureHeadBytes * 2, 'x');
    EXPECT_TRUE(show::InspectPictureFile(other, L"C:\\film.jpg").header.refusal);
    EXPECT_EQ(other.bytesRead, show::kPictureHeadBytes);
}

}  // namespace
