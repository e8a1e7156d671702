#include "show/picture_size.h"

#include <gtest/gtest.h>

namespace {

using platform::Orientation;
using platform::Size;

TEST(PictureSizeTest, NaturalFittedOrFixed) {
    const Size screen{1920, 1080};
    const auto sideways = *Orientation::FromExif(6);
    const auto upsideDown = *Orientation::FromExif(3);
    const struct {
        const char* name;
        Size stored;
        Orientation orientation;
        std::int16_t width;  // the settings' Width and Height
        std::int16_t height;
        std::optional<Size> screen;
        Size shown;
    } cases[] = {
        {"natural", {640, 480}, {}, 0, 200, screen, {640, 480}},
        {"exactly the screen", {1920, 1080}, {}, 0, 0, screen, {1920, 1080}},
        {"one pixel wider", {1921, 1080}, {}, 0, 0, screen, {1920, 1079}},
        {"one pixel taller", {1920, 1081}, {}, 0, 0, screen, {1918, 1080}},
        {"landscape photo", {4032, 3024}, {}, 0, 0, screen, {1440, 1080}},
        {"panorama", {8000, 1000}, {}, 0, 0, screen, {1920, 240}},
        {"portrait photo", {3024, 4032}, {}, 0, 0, screen, {810, 1080}},
        {"turned by a half, then fitted", {4032, 3024}, upsideDown, 0, 0, screen, {1440, 1080}},
        {"sideways phone photo turned, then fitted",
         {4000, 3000},
         sideways,
         0,
         0,
         screen,
         {810, 1080}},
        {"small and sideways", {640, 480}, sideways, 0, 0, screen, {480, 640}},
        {"fixed, larger than the screen", {4032, 3024}, sideways, 2500, 1500, screen, {2500, 1500}},
        {"fixed 300 x 0", {640, 480}, {}, 300, 0, screen, {300, 0}},
        {"screen unknown", {4032, 3024}, {}, 0, 0, std::nullopt, {4032, 3024}},
        {"no area: the PNG probe's w x 0 stays", {30000, 0}, {}, 0, 0, screen, {30000, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(show::ShownSize(c.stored, c.orientation, c.width, c.height, c.screen), c.shown)
            << c.name;
    }
}

}  // namespace
