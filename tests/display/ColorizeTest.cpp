#include "display/Colorize.h"

#include <gtest/gtest.h>

#include <cmath>

namespace diglux {
namespace {

RgbImage AllGreyLevels() {
    RgbImage image(256, 1);
    for (int level = 0; level < 256; ++level) {
        const auto g = static_cast<std::uint8_t>(level);
        image.Set(level, 0, {g, g, g});
    }
    return image;
}

TEST(Colorize, EveryColourTimesEveryLevelIsRoundedToNearest) {
    const RgbImage levels = AllGreyLevels();
    for (int c = 0; c < 256; ++c) {
        // Each channel gets a different colour value so all three tables are exercised.
        const Rgb color{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(255 - c),
                        static_cast<std::uint8_t>((c * 7) % 256)};
        const RgbImage out = ColorizePicture(levels, color);
        for (int g = 0; g < 256; ++g) {
            const Rgb px = out.At(g, 0);
            ASSERT_EQ(px.r, std::lround(color.r * g / 255.0)) << "c=" << c << " g=" << g;
            ASSERT_EQ(px.g, std::lround(color.g * g / 255.0)) << "c=" << c << " g=" << g;
            ASSERT_EQ(px.b, std::lround(color.b * g / 255.0)) << "c=" << c << " g=" << g;
        }
    }
}

TEST(Colorize, WorkedExamplesAndExtremeColours) {
    EXPECT_EQ(TintLevel(95, 4), 1); // 1.49 rounds down
    EXPECT_EQ(TintLevel(47, 255), 47);
    const RgbImage levels = AllGreyLevels();
    EXPECT_EQ(ColorizePicture(levels, {255, 255, 255}), levels);
    const RgbImage black = ColorizePicture(levels, {0, 0, 0});
    EXPECT_EQ(black, RgbImage(256, 1, {0, 0, 0}));
}

TEST(Colorize, LeavesTheMasterUntouchedAndKeepsColoursApart) {
    RgbImage master(2, 1);
    master.Set(0, 0, {4, 2, 4});
    master.Set(1, 0, {200, 100, 50});
    const RgbImage copy = master;
    const RgbImage out = ColorizePicture(master, {255, 0, 128});
    EXPECT_EQ(master, copy);
    EXPECT_EQ(out.At(0, 0), (Rgb{4, 0, 2}));
    EXPECT_EQ(out.At(1, 0), (Rgb{200, 0, 25}));
}

} // namespace
} // namespace diglux
