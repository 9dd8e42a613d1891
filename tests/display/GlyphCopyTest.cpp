#include "display/GlyphMap.h"
#include "display/Surface.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

// A 3 x 2 grid of 4 x 4 cells; every pixel holds its cell number in red and its position
// inside the cell in green and blue.
RgbImage NumberedMap() {
    RgbImage map(12, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int cell = (y / 4) * 3 + x / 4 + 1;
            map.Set(x, y,
                    {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(x % 4),
                     static_cast<std::uint8_t>(y % 4)});
        }
    }
    return map;
}

constexpr Rgb kPaper{77, 77, 77};

Surface Paper() {
    Surface surface("Test", {0, 0, 10, 10});
    surface.SetBackColor(kPaper);
    surface.TakeDirty();
    return surface;
}

TEST(DrawPicMap, IndexZeroDrawsNothing) {
    Surface surface = Paper();
    const RgbImage before = surface.Pixels();
    DrawPicMap(NumberedMap(), surface, 0, 0, 3, 2, 0, 1);
    EXPECT_EQ(surface.Pixels(), before);
    EXPECT_FALSE(surface.IsDirty());
}

TEST(DrawPicMap, SeparatorNeverReachesTheSurface) {
    Surface surface = Paper();
    DrawPicMap(NumberedMap(), surface, 2, 3, 3, 2, 5, 1);
    // Cell 5 is column 2, row 2; with gap 1 a 3 x 3 glyph lands at x 2..4, y 3..5.
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x <= 4 && y >= 3 && y <= 5;
            const Rgb want =
                inside ? Rgb{5, static_cast<std::uint8_t>(x - 2), static_cast<std::uint8_t>(y - 3)}
                       : kPaper;
            ASSERT_EQ(surface.Pixels().At(x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(surface.TakeDirty(), (Rect{2, 3, 3, 3}));
}

TEST(DrawPicMap, LastCellAndNoGapCopyTheWholeCell) {
    Surface surface = Paper();
    DrawPicMap(NumberedMap(), surface, 0, 0, 3, 2, 6, 0);
    EXPECT_EQ(surface.Pixels().At(3, 3), (Rgb{6, 3, 3}));
    EXPECT_EQ(surface.Pixels().At(4, 4), kPaper);
}

TEST(DrawPicMap, ClipsAtTheSurfaceEdgeAndZooms) {
    Surface surface = Paper();
    DrawPicMap(NumberedMap(), surface, 8, -1, 3, 2, 1, 1);
    EXPECT_EQ(surface.Pixels().At(8, 0), (Rgb{1, 0, 1}));
    EXPECT_EQ(surface.Pixels().At(9, 1), (Rgb{1, 1, 2}));
    EXPECT_EQ(surface.TakeDirty(), (Rect{8, 0, 2, 2}));

    DrawPicMap(NumberedMap(), surface, 0, 0, 3, 2, 2, 1, 2.0);
    EXPECT_EQ(surface.Pixels().At(5, 5), (Rgb{2, 2, 2}));
    EXPECT_EQ(surface.TakeDirty(), (Rect{0, 0, 6, 6}));
}

} // namespace
} // namespace diglux
