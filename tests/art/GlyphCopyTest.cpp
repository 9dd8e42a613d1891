// The maps as the program copies them: with the separator left out, every copied glyph is
// exactly its cell's picture, nothing of the separator reaches the surface, and a glyph
// drawn over another leaves no trace of it.
#include "ArtSupport.h"
#include "display/GlyphMap.h"
#include "display/Surface.h"

#include <gtest/gtest.h>

#include <string>

namespace diglux::art {
namespace {

// A colour no glyph map holds, to see which pixels a copy touched.
constexpr Rgb kMarker{1, 250, 3};
constexpr int kOffset = 3;

TEST(ArtGlyphCopy, SeparatorNeverReachesTheSurface) {
    for (const ArtMap& layout : kArtMaps) {
        SCOPED_TRACE(std::string(layout.name));
        const RgbImage map = LoadMap(layout.name);
        ASSERT_FALSE(map.Empty());
        const int cellWidth = layout.width / layout.cols;
        const int cellHeight = layout.height / layout.rows;
        for (int index = 1; index <= layout.cols * layout.rows; ++index) {
            Surface surface("test", {0, 0, cellWidth + 2 * kOffset, cellHeight + 2 * kOffset});
            surface.SetBackColor(kMarker);
            DrawPicMap(map, surface, kOffset, kOffset, layout.cols, layout.rows, index, layout.gap);
            const RgbImage glyph = Glyph(map, layout, index);
            int wrong = 0;
            for (int y = 0; y < surface.Height(); ++y) {
                for (int x = 0; x < surface.Width(); ++x) {
                    const int gx = x - kOffset;
                    const int gy = y - kOffset;
                    const bool inside =
                        gx >= 0 && gy >= 0 && gx < glyph.Width() && gy < glyph.Height();
                    const Rgb expected = inside ? glyph.At(gx, gy) : kMarker;
                    wrong += surface.Pixels().At(x, y) == expected ? 0 : 1;
                }
            }
            EXPECT_EQ(wrong, 0) << "cell " << index;
        }
    }
}

TEST(ArtGlyphCopy, GlyphDrawnOverAnotherRepaintsItsWholeArea) {
    for (const std::string_view name : {"PicMap7B", "PicMap7S", "PicMap16S", "PicMapOpt"}) {
        SCOPED_TRACE(std::string(name));
        const ArtMap& layout = MapNamed(name);
        const RgbImage map = LoadMap(layout.name);
        const int cells = layout.cols * layout.rows;
        const Rect area{0, 0, layout.width / layout.cols - 1, layout.height / layout.rows - 1};
        for (int index = 1; index <= cells; ++index) {
            Surface fresh("fresh", area);
            fresh.SetBackColor(kMarker);
            DrawPicMap(map, fresh, 0, 0, layout.cols, layout.rows, index, 1);
            // Over the brightest glyph there is (the 8, the full icon, anything) ...
            Surface reused("reused", area);
            reused.SetBackColor(kMarker);
            DrawPicMap(map, reused, 0, 0, layout.cols, layout.rows, index % cells + 1, 1);
            DrawPicMap(map, reused, 0, 0, layout.cols, layout.rows, index, 1);
            EXPECT_EQ(reused.Pixels(), fresh.Pixels()) << "cell " << index;
            // ... and nothing of the surface's old content shows through.
            int marker = 0;
            for (int y = 0; y < area.height; ++y) {
                for (int x = 0; x < area.width; ++x) {
                    marker += fresh.Pixels().At(x, y) == kMarker ? 1 : 0;
                }
            }
            EXPECT_EQ(marker, 0) << "cell " << index;
        }
    }
}

TEST(ArtGlyphCopy, GlowStaysInsideTheGlyph) {
    // Lit segments and their glow fade out before the edge of the copied area, so that
    // neighbouring glyphs meet without a seam.
    for (const std::string_view name :
         {"PicMap7B", "PicMap7S", "PicMapDotsB", "PicMapDotsS", "PicMapOpt"}) {
        SCOPED_TRACE(std::string(name));
        const ArtMap& layout = MapNamed(name);
        const RgbImage map = LoadMap(layout.name);
        for (int index = 1; index <= layout.cols * layout.rows; ++index) {
            const RgbImage glyph = Glyph(map, layout, index);
            int brightest = 0;
            for (int x = 0; x < glyph.Width(); ++x) {
                brightest = std::max(
                    {brightest, Grey(glyph.At(x, 0)), Grey(glyph.At(x, glyph.Height() - 1))});
            }
            for (int y = 0; y < glyph.Height(); ++y) {
                brightest = std::max(
                    {brightest, Grey(glyph.At(0, y)), Grey(glyph.At(glyph.Width() - 1, y))});
            }
            EXPECT_LE(brightest, 8) << "cell " << index;
        }
    }
}

} // namespace
} // namespace diglux::art
