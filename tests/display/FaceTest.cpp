// The window's picture below the glyphs: the frame, the composition of the surfaces, and the
// tinting of the maps.
#include "display/Border.h"
#include "display/ClockFace.h"
#include "display/Colorize.h"

#include <gtest/gtest.h>

#include <cmath>

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

// The sides run from dark corners to a light middle.
TEST(DrawBorder, SixPixelBandsOnEverySideDarkAtTheCornersTheSameInTwipsAndPixels) {
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
    EXPECT_EQ(Grey(f, 0, 0), 48);
    EXPECT_EQ(Grey(f, 653, 119), 255);
    for (int y = 7; y <= 119; ++y) {
        EXPECT_GE(Grey(f, 2, y), Grey(f, 2, y - 1)) << y;
    }
    // Rows 5..9 belong to the second box: 48 + 207 x 5 / 119 = 56.7, rounded to 57.
    EXPECT_EQ(Grey(f, 2, 7), 57);
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

TEST(ClockFace, ChildrenLieAtTheirPlacesInZOrderAndOverlapsArePushedOnce) {
    ClockFace face;
    face.Compose();
    face.PicMisc().SetBackColor(kRed);
    face.PicT2().SetBackColor(kBlue); // lies on PicMisc
    EXPECT_EQ(face.Compose(), (std::vector<Rect>{{20, 156, 200, 40}}));
    const std::vector<std::pair<Point, Rgb>> pixels{{{20, 156}, kRed},
                                                    {{108, 160}, kBlue},
                                                    {{107, 160}, kRed},
                                                    {{204, 178}, kBlue},
                                                    {{205, 178}, kRed}};
    for (const auto& [p, colour] : pixels) {
        EXPECT_EQ(face.Frame().At(p.x, p.y), colour) << p.x << "," << p.y;
    }
}

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
        const PaletteColors out = TintPalette(levels.palette, color);
        for (int g = 0; g < 256; ++g) {
            const auto tint = [g](int v) { return std::uint8_t(std::lround(v * g / 255.0)); };
            ASSERT_EQ(TintLevel(c, g), tint(c)) << "c=" << c << " g=" << g;
            ASSERT_EQ(ToRgb(out[levels.IndexAt(g, 0)]),
                      (Rgb{tint(color.r), tint(color.g), tint(color.b)}))
                << "c=" << c << " g=" << g;
        }
    }
}

} // namespace
} // namespace diglux
