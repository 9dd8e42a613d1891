// The committed artwork, decoded and read back the way a person reads it. The maps as a
// whole: the greyscale rule with its one background colour, glow that stays inside each cell,
// the indicator icons, the colour close button, the program icon and the size budget; the
// palette PNG encoder the artwork generator stores the maps with. The seven-segment maps:
// find the segments in the lit "8", then check which of them each cell lights, that the dark
// segments are there behind every digit, and the colon maps drawn between the digits. The
// text map: 96 characters for codes 32..127, each over the unlit sixteen segments, all
// different, and the few cells that hold something other than their code.
#include "display/GlyphMaps.h"
#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace diglux::art {
namespace {

constexpr Rgb kBackground{4, 2, 4};

// The embedded picture, decoded; empty if missing or unreadable.
RgbImage LoadArt(std::string_view type, std::string_view name) {
    std::string error;
    return LibPngDecoder().DecodePng(EmbeddedResources().Load(type, name), error);
}

// The copied part of cell `index` (1-based) of the map: the cell less its separator.
RgbImage Glyph(MapId id, int index) {
    const MapSpec& s = SpecOf(id);
    const int width = s.width / s.cols, height = s.height / s.rows;
    const int left = (index - 1) % s.cols * width, top = (index - 1) / s.cols * height;
    const RgbImage map = LoadArt("MAPS", SpecOf(id).name);
    RgbImage glyph(width - s.gap, height - s.gap);
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < glyph.Width(); ++x) {
            glyph.Set(x, y, map.At(left + x, top + y));
        }
    }
    return glyph;
}

// The grey level of a glyph-map pixel; the background counts as 0.
int Grey(Rgb pixel) {
    return pixel == kBackground ? 0 : pixel.g;
}

// The number of pixels for which pick(pixel, x, y) is true.
int CountPixels(const RgbImage& image, auto pick) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            count += pick(image.At(x, y), x, y) ? 1 : 0;
        }
    }
    return count;
}

// Pixels where the glyph is clearly darker than `under`, the dark glyph it is drawn over.
int DarkerThan(const RgbImage& glyph, const RgbImage& under) {
    return CountPixels(glyph,
                       [&](Rgb p, int x, int y) { return Grey(p) + 1 < Grey(under.At(x, y)); });
}

// An area of lit pixels: their number, centroid and bounding box (inclusive).
struct Blob {
    int pixels = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    double x = 0, y = 0; // the sums of the coordinates until FindBlobs divides them
    void Add(int px, int py) {
        ++pixels, x += px, y += py, left = std::min(left, px), top = std::min(top, py);
        right = std::max(right, px), bottom = std::max(bottom, py);
    }
};

// Connected areas (8-neighbourhood) of pixels at or above `threshold`.
std::vector<Blob> FindBlobs(const RgbImage& glyph, int threshold) {
    const int w = glyph.Width(), h = glyph.Height();
    std::vector<bool> seen(static_cast<std::size_t>(w * h));
    std::vector<Blob> blobs;
    // Adds the pixel, if it is lit and new, and then its neighbours to the newest area.
    auto grow = [&](auto& self, int x, int y) -> void {
        if (x >= 0 && y >= 0 && x < w && y < h && !seen[y * w + x] &&
            Grey(glyph.At(x, y)) >= threshold) {
            seen[y * w + x] = true;
            blobs.back().Add(x, y);
            for (int d = 0; d < 9; ++d) {
                self(self, x + d % 3 - 1, y + d / 3 - 1);
            }
        }
    };
    for (int at = 0; at < w * h; ++at) {
        if (!seen[at] && Grey(glyph.At(at % w, at / w)) >= threshold) {
            Blob& blob = blobs.emplace_back();
            grow(grow, at % w, at / w);
            blob.x /= blob.pixels, blob.y /= blob.pixels;
        }
    }
    return blobs;
}

// All pixels at or above `threshold` as one area.
Blob LitArea(const RgbImage& glyph, int threshold) {
    Blob area;
    CountPixels(glyph, [&](Rgb p, int x, int y) {
        if (Grey(p) >= threshold) {
            area.Add(x, y);
        }
        return false;
    });
    return area;
}

constexpr MapId kAllMaps[] = {MapId::PicMap7B,    MapId::PicMap7S,  MapId::PicMapDotsB,
                              MapId::PicMapDotsS, MapId::PicMap16S, MapId::PicMapOpt,
                              MapId::PicBut};

// The clock refuses maps of the wrong size at start, so every started clock in the unit
// tests proves the sizes; here what the maps cost.
TEST(ArtMapFormat, CommittedMapsStayWithinTheirSizeBudget) {
    std::size_t bytes = 0;
    for (const MapId id : kAllMaps) {
        bytes += EmbeddedResources().Load("MAPS", SpecOf(id).name).size();
    }
    EXPECT_LT(bytes, 200u * 1024u);
}

// Lit segments and their glow fade out before the edge of the copied area, so that
// neighbouring glyphs meet without a seam (not asked of the text map). The window's
// background is taken from the top left of the big colon map.
TEST(ArtMapFormat, GlyphMapsAreGreyOnTheExactBackgroundWithTheGlowInsideEachCell) {
    for (const MapId id : kAllMaps) {
        const MapSpec& layout = SpecOf(id);
        SCOPED_TRACE(layout.name);
        if (!layout.tinted) {
            continue;
        }
        const RgbImage map = LoadArt("MAPS", SpecOf(id).name);
        auto coloured = [](Rgb p, int, int) { return p != kBackground && p != Rgb{p.g, p.g, p.g}; };
        EXPECT_GT(CountPixels(map, [](Rgb p, int, int) { return p == kBackground; }), 0);
        EXPECT_EQ(CountPixels(map, coloured), 0);
        for (int index = 1; id != MapId::PicMap16S && index <= layout.cols * layout.rows; ++index) {
            const RgbImage glyph = Glyph(id, index);
            const int r = glyph.Width() - 1, b = glyph.Height() - 1;
            auto brightEdge = [&](Rgb p, int x, int y) {
                return (x % r == 0 || y % b == 0) && Grey(p) > 8;
            };
            EXPECT_EQ(CountPixels(glyph, brightEdge), 0) << "cell " << index;
        }
    }
    EXPECT_EQ(LoadArt("MAPS", "PicMapDotsB").At(0, 0), kBackground);
}

// The unlit icon can be seen but is dark; wherever it has its body, the lit one shines.
TEST(ArtMapFormat, LitIconsAreBrighterVersionsOfTheUnlitOnes) {
    for (int icon = 0; icon < 3; ++icon) {
        SCOPED_TRACE("icon " + std::to_string(icon + 1));
        const RgbImage unlit = Glyph(MapId::PicMapOpt, icon * 2 + 1);
        const RgbImage lit = Glyph(MapId::PicMapOpt, icon * 2 + 2);
        EXPECT_GT(LitArea(unlit, 12).pixels, 40);
        EXPECT_EQ(LitArea(unlit, 100).pixels, 0);
        auto dull = [&](Rgb p, int x, int y) {
            return Grey(p) >= 12 && Grey(lit.At(x, y)) < 3 * Grey(p);
        };
        EXPECT_EQ(CountPixels(unlit, dull), 0);
    }
}

// Only the highlighted and the pressed cell are drawn: the button shows while the pointer is
// over it. Red left of the cross, white in its middle (one pixel lower when pressed).
TEST(ArtMapFormat, CloseButtonIsAWhiteCrossOnARedBarHighlightedAndPressed) {
    for (const int index : {3, 4}) {
        const RgbImage cell = Glyph(MapId::PicBut, index);
        for (int x = 2; x < 10; ++x) {
            EXPECT_GT(cell.At(x, 7).r, 2 * std::max(cell.At(x, 7).g, cell.At(x, 7).b)) << index;
        }
        const Rgb middle = cell.At(18, 7 + (index == 4 ? 1 : 0));
        EXPECT_GE(std::min({middle.r, middle.g, middle.b}), 230) << "cell " << index;
    }
    EXPECT_NE(Glyph(MapId::PicBut, 4), Glyph(MapId::PicBut, 3)) << "pressed looks different";
}

TEST(ArtMapFormat, ProgramIconIsASquareGreenDisplayInEverySize) {
    for (const int size : {32, 48, 64, 128, 256}) {
        const RgbImage icon = LoadArt("ICONS", "diglux-" + std::to_string(size));
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        auto green = [](Rgb p, int, int) { return p.g > 120 && p.g > 2 * std::max(p.r, p.b); };
        EXPECT_GT(CountPixels(icon, green), size * size / 50) << "lit green segments at " << size;
    }
}

// A full palette of 256 colours and an odd width, so that rows are not a multiple of four
// bytes; the same image always gives the same bytes.
TEST(ArtPaletteCodec, EncodedImagesDecodeToTheSamePixels) {
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
    RgbImage expected(17, 16);
    for (int i = 0; i < 256; ++i) {
        palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), 7});
    }
    for (int i = 0; i < 17 * 16; ++i) { // x = i % 17, y = i / 17
        indices.push_back(std::uint8_t((i % 17 * 15 + i / 17) % 256));
        expected.Set(i % 17, i / 17, palette[indices.back()]);
    }
    const auto png = EncodePalettePng(17, 16, indices, palette);
    std::string error;
    EXPECT_EQ(LibPngDecoder().DecodePng(png, error), expected) << error;
    EXPECT_EQ(EncodePalettePng(17, 16, indices, palette), png);
}

constexpr int kLit = 200;      // a lit segment's middle is at least this bright
constexpr int kUnlitMin = 12;  // an unlit segment is visible ...
constexpr int kUnlitMax = 110; // ... but clearly dark

// Cells 1 to 13 of a digit map: the segments (a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle) each one lights.
constexpr std::array<std::string_view, 13> kExpected = {
    "abcdef", "bc",      "abdeg",  "abcdg", "bcfg", "acdfg", "acdefg",
    "abc",    "abcdefg", "abcdfg", "",      "g",    "abfg"};

// The segments of the lit "8" (cell 9), ordered a to g. Lit segments stay apart: the gaps
// between them show as darker pixels. Bars are wider than high (a, g, d), posts are not.
std::array<Blob, 7> FindSegments(const RgbImage& eight) {
    std::vector<Blob> bars, posts;
    for (const Blob& blob : FindBlobs(eight, 150)) {
        (blob.right - blob.left > blob.bottom - blob.top ? bars : posts).push_back(blob);
    }
    if (bars.size() != 3 || posts.size() != 4) {
        ADD_FAILURE() << "the lit segments of an 8 must be three separate bars and four posts";
        return {};
    }
    // Bars top to bottom; posts above the middle bar, then below it, each left to right.
    std::ranges::sort(bars, {}, &Blob::y);
    std::ranges::sort(posts, {}, [&](const Blob& b) { return std::pair(b.y > bars[1].y, b.x); });
    return {bars[0], posts[1], posts[3], bars[2], posts[2], posts[0], bars[1]};
}

// A digit map and the colon map that stands between its digits.
class ArtDigitMap : public ::testing::TestWithParam<std::pair<MapId, MapId>> {
  protected:
    RgbImage Digit(int cell) const { return Glyph(GetParam().first, cell); }
};

// Drawing any digit over any other must leave no trace, so every digit cell is at least as
// bright as the dark digit (cell 11) everywhere.
TEST_P(ArtDigitMap, EachCellLightsExactlyItsSegmentsOverTheUnlitDigit) {
    const std::array<Blob, 7> segments = FindSegments(Digit(9));
    for (int cell = 1; cell <= 13; ++cell) {
        const RgbImage glyph = Digit(cell);
        EXPECT_EQ(DarkerThan(glyph, Digit(11)), 0) << "cell " << cell;
        for (int s = 0; s < 7; ++s) {
            const Blob& b = segments[s];
            const int grey =
                Grey(glyph.At(static_cast<int>(b.x + 0.5), static_cast<int>(b.y + 0.5)));
            SCOPED_TRACE("cell " + std::to_string(cell) + " segment " + char('a' + s));
            if (kExpected[cell - 1].find(char('a' + s)) != std::string_view::npos) {
                EXPECT_GE(grey, kLit);
            } else {
                EXPECT_GE(grey, kUnlitMin);
                EXPECT_LE(grey, kUnlitMax);
            }
        }
    }
}

// The clock draws cell 2 (the date's point), 3 (the dark colon: two unlit dots) and 4 (the
// lit colon). The point is the colon's lower dot, and the colon stands at the height of the
// digit map's own colon (cell 15).
TEST_P(ArtDigitMap, ColonMapDotsMatchTheColonOfTheDigits) {
    const MapId dotsMap = GetParam().second;
    const RgbImage dark = Glyph(dotsMap, 3);
    EXPECT_EQ(FindBlobs(dark, kUnlitMin).size(), 2u);
    EXPECT_EQ(LitArea(dark, kUnlitMax).pixels, 0);
    const auto point = FindBlobs(Glyph(dotsMap, 2), kLit);
    const auto colon = FindBlobs(Glyph(dotsMap, 4), kLit);
    const auto digitColon = FindBlobs(Digit(15), kLit);
    ASSERT_EQ(point.size(), 1u);
    ASSERT_EQ(colon.size(), 2u);
    ASSERT_EQ(digitColon.size(), 2u);
    EXPECT_NEAR(point[0].y, colon[1].y, 0.5);
    EXPECT_NEAR(colon[0].y, digitColon[0].y, 0.5);
    EXPECT_NEAR(colon[1].y, digitColon[1].y, 0.5);
}

INSTANTIATE_TEST_SUITE_P(BigAndSmall, ArtDigitMap,
                         ::testing::Values(std::pair{MapId::PicMap7B, MapId::PicMapDotsB},
                                           std::pair{MapId::PicMap7S, MapId::PicMapDotsS}));

constexpr int kTextLit = 128;

RgbImage Char(int code) {
    return Glyph(MapId::PicMap16S, code - 31);
}

Blob LitBox(int code) {
    return LitArea(Char(code), kTextLit);
}

// The space lights nothing but shows the sixteen unlit segments; every other code lights
// something, hides no unlit segment and looks like no other code.
TEST(ArtTextMap, EveryCharacterStandsOnTheUnlitSegmentsAndHasItsOwnGlyph) {
    const RgbImage space = Char(32);
    EXPECT_EQ(LitBox(32).pixels, 0);
    EXPECT_GT(LitArea(space, 10).pixels, space.Width() * space.Height() / 5);
    std::map<std::vector<std::uint8_t>, int> seen;
    for (int code = 33; code <= 127; ++code) {
        const RgbImage glyph = Char(code);
        EXPECT_GT(LitBox(code).pixels, 0) << "code " << code << " lights nothing";
        EXPECT_EQ(DarkerThan(glyph, space), 0) << "code " << code << " hides an unlit segment";
        const auto [at, added] =
            seen.emplace(std::vector(glyph.Data(), glyph.Data() + glyph.ByteSize()), code);
        EXPECT_TRUE(added) << "code " << code << " looks like code " << at->second;
    }
}

TEST(ArtTextMap, SpecialCellsHoldTheirOwnSigns) {
    const int width = Char(32).Width(), height = Char(32).Height();
    // The number sign's cell holds a degree sign: high up and narrower than a letter.
    const Blob degree = LitBox('#');
    EXPECT_LE(degree.bottom, height * 55 / 100);
    EXPECT_LT(degree.right - degree.left, width * 3 / 4);
    // The last cell holds one solid triangle: most of its box is lit, unlike thin strokes.
    const Blob triangle = LitBox(127);
    EXPECT_EQ(FindBlobs(Char(127), kTextLit).size(), 1u);
    EXPECT_GT(triangle.pixels * 3,
              (triangle.right - triangle.left + 1) * (triangle.bottom - triangle.top + 1));
    // The capital I has serifs; the bar is the I without them, in the same place.
    EXPECT_GE((LitBox('I').right - LitBox('I').left) - (LitBox('|').right - LitBox('|').left), 4);
    const RgbImage i = Char('I');
    EXPECT_EQ(
        CountPixels(Char('|'),
                    [&](Rgb p, int x, int y) { return Grey(p) >= 200 && Grey(i.At(x, y)) < 200; }),
        0);
    // Lower-case letters sit lower than their capitals.
    for (const char c : std::string("acmnoruvwxz")) {
        EXPECT_GT(LitBox(c).top, LitBox(c - 32).top + 5) << c;
    }
}

} // namespace
} // namespace diglux::art
