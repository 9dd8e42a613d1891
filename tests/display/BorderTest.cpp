// The frame: six-pixel bands on every side, steady dark grey at top and bottom, a gradient
// from the dark corners to the light middle at the sides; the same picture in twips and pixels.
#include "display/Border.h"
#include "display/ClockFace.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

constexpr Rgb kBack{1, 2, 1};

RgbImage FrameAt(double unitsPerPixel) {
    Surface form("Form", {0, 0, ClockFace::kWidth, ClockFace::kHeight});
    form.SetBackColor(kBack);
    DrawBorder(form, unitsPerPixel);
    return form.Pixels();
}

int Grey(const RgbImage& image, int x, int y) {
    const Rgb c = image.At(x, y);
    EXPECT_TRUE(c.r == c.g && c.g == c.b) << x << "," << y;
    return c.r;
}

TEST(DrawBorder, SixPixelBandsOnEverySideTheSameInTwipsAndPixels) {
    const RgbImage f = FrameAt(15.0);
    EXPECT_EQ(f, FrameAt(1.0));
    for (int x = 6; x < 648; x += 13) {
        for (const int y : {0, 5, 232, 237}) {
            EXPECT_EQ(Grey(f, x, y), 48) << x << "," << y;
        }
        EXPECT_EQ(f.At(x, 6), kBack);
        EXPECT_EQ(f.At(x, 231), kBack);
    }
    for (int y = 6; y < 232; y += 7) {
        EXPECT_NE(f.At(5, y), kBack);
        EXPECT_EQ(f.At(6, y), kBack);
        EXPECT_NE(f.At(648, y), kBack);
        EXPECT_EQ(f.At(647, y), kBack);
    }
}

TEST(DrawBorder, SidesRunFromDarkCornersToLightMiddle) {
    const RgbImage f = FrameAt(1.0);
    EXPECT_EQ(Grey(f, 0, 0), 48);
    EXPECT_EQ(Grey(f, 653, 119), 255);
    for (int y = 7; y <= 119; ++y) {
        EXPECT_GE(Grey(f, 2, y), Grey(f, 2, y - 1)) << y;
    }
    // Rows 5..9 belong to the second box: 48 + 207 x 5 / 119 = 56.7, rounded to 57.
    EXPECT_EQ(Grey(f, 2, 7), 57);
}

} // namespace
} // namespace diglux
