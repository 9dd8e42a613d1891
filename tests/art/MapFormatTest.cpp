// The committed glyph maps as a whole: sizes and grids, the greyscale rule with its one
// background colour, the colour close button, the icons, and the size budget.
#include "ArtSupport.h"
#include "host/EmbeddedResources.h"

#include <gtest/gtest.h>

#include <string>

namespace diglux::art {
namespace {

TEST(ArtMapFormat, EveryMapHasItsRequiredSizeAndDividesIntoItsGrid) {
    for (const ArtMap& layout : kArtMaps) {
        SCOPED_TRACE(std::string(layout.name));
        const RgbImage map = LoadMap(layout.name);
        ASSERT_FALSE(map.Empty());
        EXPECT_EQ(map.Width(), layout.width);
        EXPECT_EQ(map.Height(), layout.height);
        EXPECT_EQ(map.Width() % layout.cols, 0);
        EXPECT_EQ(map.Height() % layout.rows, 0);
        if (layout.gap == 1) {
            // The tint works on rows of three bytes a pixel with no padding.
            EXPECT_EQ(map.Width() * 3 % 4, 0);
        }
    }
}

TEST(ArtMapFormat, GlyphMapsAreGreyExceptTheExactBackgroundColour) {
    for (const ArtMap& layout : kArtMaps) {
        if (layout.name == "PicBut") {
            continue;
        }
        SCOPED_TRACE(std::string(layout.name));
        const RgbImage map = LoadMap(layout.name);
        int backgrounds = 0;
        int offenders = 0;
        for (int y = 0; y < map.Height(); ++y) {
            for (int x = 0; x < map.Width(); ++x) {
                const Rgb p = map.At(x, y);
                if (p == kBackground) {
                    ++backgrounds;
                } else if (p.r != p.g || p.g != p.b) {
                    ++offenders;
                }
            }
        }
        EXPECT_EQ(offenders, 0);
        EXPECT_GT(backgrounds, 0);
    }
}

TEST(ArtMapFormat, WindowBackgroundComesFromTheTopLeftOfTheBigColonMap) {
    const RgbImage dots = LoadMap("PicMapDotsB");
    ASSERT_FALSE(dots.Empty());
    EXPECT_EQ(dots.At(0, 0), kBackground);
}

TEST(ArtMapFormat, CloseButtonIsAWhiteCrossOnARedBarInFourStates) {
    const ArtMap& layout = MapNamed("PicBut");
    const RgbImage map = LoadMap(layout.name);
    ASSERT_FALSE(map.Empty());
    auto meanRed = [&](int index) {
        const RgbImage cell = Glyph(map, layout, index);
        long sum = 0;
        for (int x = 2; x < 10; ++x) { // the bar left of the cross
            const Rgb p = cell.At(x, 7);
            EXPECT_GT(p.r, 2 * p.g);
            EXPECT_GT(p.r, 2 * p.b);
            sum += p.r;
        }
        const Rgb middle = cell.At(18, 7 + (index == 4 ? 1 : 0));
        EXPECT_GE(std::min({middle.r, middle.g, middle.b}), 230) << "cell " << index;
        return sum;
    };
    const long resting = meanRed(1);
    EXPECT_EQ(Glyph(map, layout, 1), Glyph(map, layout, 2));
    EXPECT_GT(meanRed(3), resting) << "highlighted is brighter than resting";
    EXPECT_NE(Glyph(map, layout, 4), Glyph(map, layout, 1)) << "pressed looks different";
}

TEST(ArtMapFormat, CommittedMapsStayWithinTheirSizeBudget) {
    std::size_t total = 0;
    for (const ArtMap& layout : kArtMaps) {
        total += EmbeddedResources().Load("MAPS", layout.name).size();
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 200u * 1024u);
}

TEST(ArtMapFormat, ProgramIconIsASquareGreenDisplayInEverySize) {
    for (const int size : {32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const RgbImage icon = LoadArt("ICONS", "diglux-" + std::to_string(size));
        ASSERT_FALSE(icon.Empty());
        EXPECT_EQ(icon.Width(), size);
        EXPECT_EQ(icon.Height(), size);
        int green = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const Rgb p = icon.At(x, y);
                green += (p.g > 120 && p.g > 2 * p.r && p.g > 2 * p.b) ? 1 : 0;
            }
        }
        EXPECT_GT(green, size * size / 50) << "lit green segments";
    }
}

} // namespace
} // namespace diglux::art
