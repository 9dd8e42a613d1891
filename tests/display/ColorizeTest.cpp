#include "display/Colorize.h"

#include <gtest/gtest.h>

#include <cmath>

namespace diglux {
namespace {

// One pixel of every grey level 0..255.
PalettePicture AllGreyLevels() {
    RgbImage image(256, 1);
    for (int level = 0; level < 256; ++level) {
        const auto g = static_cast<std::uint8_t>(level);
        image.Set(level, 0, {g, g, g});
    }
    return *ToPalette(image);
}

TEST(Colorize, EveryColourTimesEveryLevelIsRoundedToNearest) {
    // Through the three level tables of a recolouring, against the floating-point formula.
    const PalettePicture levels = AllGreyLevels();
    for (int c = 0; c < 256; ++c) {
        // Each channel gets a different colour value so all three tables are exercised.
        const Rgb color{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(255 - c),
                        static_cast<std::uint8_t>((c * 7) % 256)};
        const RgbImage out = ColorizePicture(levels, color);
        for (int g = 0; g < 256; ++g) {
            ASSERT_EQ(TintLevel(c, g), std::lround(c * g / 255.0)) << "c=" << c << " g=" << g;
            const Rgb px = out.At(g, 0);
            ASSERT_EQ(px.r, std::lround(color.r * g / 255.0)) << "c=" << c << " g=" << g;
            ASSERT_EQ(px.g, std::lround(color.g * g / 255.0)) << "c=" << c << " g=" << g;
            ASSERT_EQ(px.b, std::lround(color.b * g / 255.0)) << "c=" << c << " g=" << g;
        }
    }
}

TEST(Colorize, PaletteMastersHoldUpTo256Colours) {
    RgbImage picture(300, 1, {4, 2, 4});
    for (int i = 0; i < 255; ++i) { // 256 colours with the background
        picture.Set(i, 0, {static_cast<std::uint8_t>(i), 1, 1});
    }
    const auto master = ToPalette(picture);
    ASSERT_TRUE(master.has_value());
    const RgbImage out = ColorizePicture(*master, {255, 0, 128});
    EXPECT_EQ(out.At(200, 0), (Rgb{200, 0, 1}));
    EXPECT_EQ(out.At(299, 0), (Rgb{4, 0, 2})) << "a colour met again keeps its index";
    // The 257th colour is refused at start (checked with the start-up).
}

} // namespace
} // namespace diglux
