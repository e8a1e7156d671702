#include "show/png_size.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace {

// The start of a real PNG file: signature, then the header chunk's length, type, width and
// height.
std::vector<std::uint8_t> PngHeader(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> bytes = {137, 80, 78, 71, 13,  10,  26,  10,
                                       0,   0,  0,  13, 'I', 'H', 'D', 'R'};
    for (const auto value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    bytes.insert(bytes.end(), {8, 6, 0, 0, 0, 0x12, 0x34, 0x56, 0x78});
    return bytes;
}

TEST(GetPngSizeTest, Outcomes) {
    auto badSignature = PngHeader(10, 10);
    badSignature[3] = 'X';
    const auto header = PngHeader(10, 10);
    const struct {
        const char* name;
        std::vector<std::uint8_t> head;
        bool overflow;
        std::int16_t width;
        std::int16_t height;
    } cases[] = {
        {"valid", PngHeader(352, 288), false, 352, 288},
        {"largest", PngHeader(32767, 1), false, 32767, 1},
        {"bad signature", badSignature, false, -5, -6},
        {"signature only", std::vector<std::uint8_t>(header.begin(), header.begin() + 8), false, -5,
         -6},
        {"cut in the height", std::vector<std::uint8_t>(header.begin(), header.begin() + 22), false,
         -5, -6},
        {"no bytes", {}, false, -5, -6},
        {"width 40000", PngHeader(40000, 10), true, -5, -6},
        {"width 65636 is not its low half", PngHeader(65636, 10), true, -5, -6},
        {"width 65536 * 2 + 1", PngHeader(131073, 10), true, -5, -6},
        {"height overflow keeps the width", PngHeader(100, 40000), true, 100, -6},
    };
    for (const auto& c : cases) {
        std::int16_t width = -5;
        std::int16_t height = -6;
        if (c.overflow) {
            EXPECT_THROW(show::GetPngSize(c.head, width, height), platform::Error) << c.name;
        } else {
            show::GetPngSize(c.head, width, height);
        }
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
    }
}

}  // namespace
