#include "show/exif_orientation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes Segment(std::uint8_t kind, const Bytes& body) {
    const auto length = body.size() + 2;
    return Join(
        {{0xFF, kind, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)},
         body});
}

// A TIFF block whose first directory holds one entry; `little` picks Intel byte order.
Bytes Tiff(bool little, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
           std::uint16_t value) {
    const auto two = [&](std::uint16_t v) {
        return little ? Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}
                      : Bytes{static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    };
    const auto four = [&](std::uint32_t v) {
        auto high = two(static_cast<std::uint16_t>(v >> 16));
        auto low = two(static_cast<std::uint16_t>(v));
        return little ? Join({low, high}) : Join({high, low});
    };
    return Join({little ? Bytes{'I', 'I', 42, 0} : Bytes{'M', 'M', 0, 42},
                 four(8),
                 two(1),
                 two(tag),
                 two(type),
                 four(count),
                 two(value),
                 {0, 0},
                 four(0)});
}

Bytes Exif(const Bytes& tiff) { return Segment(0xE1, Join({{'E', 'x', 'i', 'f', 0, 0}, tiff})); }

const Bytes kStart = {0xFF, 0xD8};
const Bytes kJfif = Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kXmp = Segment(0xE1, {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
const Bytes kScan = Segment(0xDA, {1, 2, 3});

TEST(ExifOrientationTest, ReadsTheCamerasOrientation) {
    const Bytes sideways = Exif(Tiff(false, 0x0112, 3, 1, 6));
    auto farDirectory = Tiff(true, 0x0112, 3, 1, 6);
    farDirectory[4] = farDirectory[7] = 0xF0;  // the first directory lies far past the block
    const Bytes cut = Join({kStart, kJfif, sideways});
    const struct {
        const char* name;
        Bytes head;
        int orientation;  // 0: none
    } cases[] = {
        {"Motorola order", Join({kStart, kJfif, sideways, kScan}), 6},
        {"Intel order", Join({kStart, Exif(Tiff(true, 0x0112, 3, 1, 8))}), 8},
        {"after an XMP block", Join({kStart, kXmp, Exif(Tiff(true, 0x0112, 3, 1, 3))}), 3},
        {"fill bytes between segments", Join({kStart, {0xFF, 0xFF}, sideways}), 6},
        {"upright", Join({kStart, Exif(Tiff(true, 0x0112, 3, 1, 1))}), 1},
        {"value out of range", Join({kStart, Exif(Tiff(true, 0x0112, 3, 1, 9))}), 0},
        {"value zero", Join({kStart, Exif(Tiff(true, 0x0112, 3, 1, 0))}), 0},
        {"not a short", Join({kStart, Exif(Tiff(true, 0x0112, 4, 1, 6))}), 0},
        {"two values", Join({kStart, Exif(Tiff(true, 0x0112, 3, 2, 6))}), 0},
        {"another tag", Join({kStart, Exif(Tiff(true, 0x0110, 3, 1, 6))}), 0},
        {"no EXIF block", Join({kStart, kJfif, kScan}), 0},
        {"EXIF after the picture data", Join({kStart, kScan, sideways}), 0},
        {"block cut short", Bytes(cut.begin(), cut.end() - 3), 0},
        {"directory outside the block", Join({kStart, Exif(farDirectory)}), 0},
        // A segment too short for its own EXIF name; the TIFF block after it is not its.
        {"EXIF name past its segment",
         Join({kStart, {0xFF, 0xE1, 0, 4, 'E', 'x', 'i', 'f', 0, 0}, Tiff(true, 0x0112, 3, 1, 6)}),
         0},
        {"not a JPEG", Join({{0x89, 'P', 'N', 'G'}, sideways}), 0},
        {"empty", {}, 0},
    };
    for (const auto& c : cases) {
        const auto found = show::ExifOrientation(c.head);
        EXPECT_EQ(found ? found->Exif() : 0, c.orientation) << c.name;
    }
}

}  // namespace
