#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/pixels/shrink.h"
#include "platform/pixels/turn.h"

namespace {

using platform::Size;

// Stored BGRA pixels, as a decoder hands them out, from 0xAARRGGBB values.
std::vector<std::uint8_t> Stored(const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint8_t> bytes;
    for (const auto pixel : pixels) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(pixel >> shift));
        }
    }
    return bytes;
}

// Each shown pixel is the rounded average of the stored pixels it covers, fed one row at a time
// or all at once.
TEST(PixelsTest, ShrinkAverages) {
    const struct {
        const char* name;
        Size from;
        std::vector<std::uint32_t> stored;
        Size to;
        bool opaque;
        std::vector<std::uint32_t> shown;
    } cases[] = {
        {"checkerboard to grey",
         {2, 2},
         {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000},
         {1, 1},
         true,
         {0xFF808080}},
        {"4 x 2 to 2 x 1",
         {4, 2},
         {0x000000, 0x202020, 0xFF0000, 0xFF0000, 0x404040, 0x606060, 0x0000FF, 0x0000FF},
         {2, 1},
         true,
         {0xFF303030, 0xFF800080}},
        {"3 x 1 to 2 x 1: two stored columns, then one",
         {3, 1},
         {0x000000, 0x0000FF, 0x0000FF},
         {2, 1},
         true,
         {0xFF000080, 0xFF0000FF}},
        {"premultiplied alpha averaged too",
         {2, 1},
         {0x00000000, 0xFF0000FF},
         {1, 1},
         false,
         {0x80000080}},
        {"own size", {2, 1}, {0x123456, 0x654321}, {2, 1}, true, {0xFF123456, 0xFF654321}},
    };
    for (const auto& c : cases) {
        const auto bytes = Stored(c.stored);
        const std::size_t stride = static_cast<std::size_t>(c.from.width) * 4;
        for (const int band : {1, c.from.height}) {
            platform::PictureShrink shrink(c.from, c.to, 4, c.opaque);
            for (int row = 0; row < c.from.height; row += band) {
                shrink.AddRows(bytes.data() + row * stride, band, stride);
            }
            EXPECT_EQ(shrink.Pixels(), c.shown) << c.name << ", bands of " << band;
        }
    }
    // Three bytes a pixel: blue, green, red.
    const std::vector<std::uint8_t> bgr = {0, 0, 0, 255, 255, 255};
    platform::PictureShrink shrink({2, 1}, {1, 1}, 3, true);
    shrink.AddRows(bgr.data(), 1, bgr.size());
    EXPECT_EQ(shrink.Pixels(), std::vector<std::uint32_t>{0xFF808080});
}

TEST(PixelsTest, EachOrientationStandsUpright) {
    // Stored 3 x 2:  a b c
    //                d e f
    constexpr std::uint32_t a = 1, b = 2, c = 3, d = 4, e = 5, f = 6;
    const std::vector<std::uint32_t> stored = {a, b, c, d, e, f};
    const std::vector<std::uint32_t> upright[8] = {
        {a, b, c, d, e, f}, {c, b, a, f, e, d}, {f, e, d, c, b, a}, {d, e, f, a, b, c},
        {a, d, b, e, c, f}, {d, a, e, b, f, c}, {f, c, e, b, d, a}, {c, f, b, e, a, d}};
    for (unsigned exif = 1; exif <= 8; ++exif) {
        Size size{3, 2};
        const auto shown = platform::Turned(stored, size, *platform::Orientation::FromExif(exif));
        EXPECT_EQ(shown, upright[exif - 1]) << exif;
        EXPECT_EQ(size, (exif >= 5 ? Size{2, 3} : Size{3, 2})) << exif;
    }
}

}  // namespace
