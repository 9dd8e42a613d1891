// The committed glyph maps as a whole: the greyscale rule with its one background colour,
// glow that stays inside each cell, the indicator icons, the colour close button, the
// program icon, and the size budget.
#include "ArtSupport.h"
#include "host/EmbeddedResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace diglux::art {
namespace {

// The clock refuses maps of the wrong size at start, so every started clock in the unit
// tests proves the sizes; here what the maps cost.
TEST(ArtMapFormat, CommittedMapsStayWithinTheirSizeBudget) {
    std::size_t bytes = 0;
    for (const MapId id : kAllMaps) {
        bytes += EmbeddedResources().Load("MAPS", SpecOf(id).name).size();
    }
    EXPECT_LT(bytes, 200u * 1024u) << "the committed maps stay within their size budget";
}

TEST(ArtMapFormat, GlyphMapsAreGreyOnTheExactBackgroundWithTheGlowInsideEachCell) {
    for (const MapId id : kAllMaps) {
        const MapSpec& layout = SpecOf(id);
        if (!layout.tinted) {
            continue;
        }
        SCOPED_TRACE(layout.name);
        const RgbImage& map = LoadMap(id);
        auto background = [](Rgb p, int, int) { return p == kBackground; };
        auto coloured = [](Rgb p, int, int) {
            return p != kBackground && (p.r != p.g || p.g != p.b);
        };
        EXPECT_GT(CountPixels(map, background), 0);
        EXPECT_EQ(CountPixels(map, coloured), 0);
        // Lit segments and their glow fade out before the edge of the copied area, so that
        // neighbouring glyphs meet without a seam (not asked of the text map).
        for (int index = 1; id != MapId::PicMap16S && index <= layout.cols * layout.rows; ++index) {
            const RgbImage glyph = Glyph(id, index);
            const int right = glyph.Width() - 1;
            const int bottom = glyph.Height() - 1;
            auto brightEdge = [&](Rgb p, int x, int y) {
                return (x % right == 0 || y % bottom == 0) && Grey(p) > 8;
            };
            EXPECT_EQ(CountPixels(glyph, brightEdge), 0) << "cell " << index;
        }
    }
    // The window's background is taken from the top left of the big colon map.
    EXPECT_EQ(LoadMap(MapId::PicMapDotsB).At(0, 0), kBackground);
}

TEST(ArtMapFormat, LitIconsAreBrighterVersionsOfTheUnlitOnes) {
    for (int icon = 0; icon < 3; ++icon) {
        SCOPED_TRACE("icon " + std::to_string(icon + 1));
        const RgbImage unlit = Glyph(MapId::PicMapOpt, icon * 2 + 1);
        const RgbImage lit = Glyph(MapId::PicMapOpt, icon * 2 + 2);
        EXPECT_GT(LitArea(unlit, 12).pixels, 40) << "the unlit icon can be seen";
        EXPECT_EQ(LitArea(unlit, 100).pixels, 0) << "but it is dark";
        // Wherever the unlit icon has its body, the lit one shines.
        auto dull = [&](Rgb p, int x, int y) {
            return Grey(p) >= 12 && Grey(lit.At(x, y)) < 3 * Grey(p);
        };
        EXPECT_EQ(CountPixels(unlit, dull), 0);
    }
}

// Only the highlighted and the pressed cell are drawn: the button shows while the pointer is
// over it.
TEST(ArtMapFormat, CloseButtonIsAWhiteCrossOnARedBarHighlightedAndPressed) {
    for (const int index : {3, 4}) {
        const RgbImage cell = Glyph(MapId::PicBut, index);
        for (int x = 2; x < 10; ++x) { // the bar left of the cross
            const Rgb p = cell.At(x, 7);
            EXPECT_GT(p.r, 2 * std::max(p.g, p.b)) << "cell " << index;
        }
        const Rgb middle = cell.At(18, 7 + (index == 4 ? 1 : 0));
        EXPECT_GE(std::min({middle.r, middle.g, middle.b}), 230) << "cell " << index;
    }
    EXPECT_NE(Glyph(MapId::PicBut, 4), Glyph(MapId::PicBut, 3)) << "pressed looks different";
}

TEST(ArtMapFormat, ProgramIconIsASquareGreenDisplayInEverySize) {
    for (const int size : {32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const RgbImage icon = LoadArt("ICONS", "diglux-" + std::to_string(size));
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        auto green = [](Rgb p, int, int) { return p.g > 120 && p.g > 2 * std::max(p.r, p.b); };
        EXPECT_GT(CountPixels(icon, green), size * size / 50) << "lit green segments";
    }
}

} // namespace
} // namespace diglux::art
