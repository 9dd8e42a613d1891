#include "display/Colorize.h"

#include <gtest/gtest.h>

#include <cmath>

namespace diglux {
namespace {

RgbImage AllGreyLevelsRgb() {
    RgbImage image(256, 1);
    for (int level = 0; level < 256; ++level) {
        const auto g = static_cast<std::uint8_t>(level);
        image.Set(level, 0, {g, g, g});
    }
    return image;
}

PalettePicture AllGreyLevels() {
    return *ToPalette(AllGreyLevelsRgb());
}

TEST(Colorize, EveryColourTimesEveryLevelIsRoundedToNearest) {
    const PalettePicture levels = AllGreyLevels();
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
    const PalettePicture levels = AllGreyLevels();
    EXPECT_EQ(ColorizePicture(levels, {255, 255, 255}), AllGreyLevelsRgb());
    const RgbImage black = ColorizePicture(levels, {0, 0, 0});
    EXPECT_EQ(black, RgbImage(256, 1, {0, 0, 0}));
}

TEST(Colorize, PaletteMastersKeepColoursApartAndHoldAtMost256) {
    RgbImage picture(300, 1, {4, 2, 4});
    picture.Set(1, 0, {200, 100, 50});
    picture.Set(2, 0, {4, 2, 4});
    const auto master = ToPalette(picture);
    ASSERT_TRUE(master.has_value());
    EXPECT_EQ(master->palette.size(), 2u);
    const RgbImage out = ColorizePicture(*master, {255, 0, 128});
    EXPECT_EQ(out.At(0, 0), (Rgb{4, 0, 2}));
    EXPECT_EQ(out.At(1, 0), (Rgb{200, 0, 25}));
    EXPECT_EQ(out.At(299, 0), (Rgb{4, 0, 2}));

    for (int i = 0; i < 256; ++i) { // 256 new colours besides the background
        picture.Set(i + 3, 0, {static_cast<std::uint8_t>(i), 1, 1});
    }
    EXPECT_FALSE(ToPalette(picture).has_value());
}

} // namespace
} // namespace diglux
