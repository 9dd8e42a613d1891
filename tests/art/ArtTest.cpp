// The committed artwork, decoded and read back the way a person reads it: what the digits and
// characters say. (The maps' bytes are pinned to the generator by its own test.) The
// seven-segment maps: find the segments in the lit "8", then check which of them each cell
// lights, that the dark segments are there behind every digit, and the colon maps drawn between
// the digits. (The text map is pinned to the generator's output by the generator's own test;
// its looks are not checked here.)
#include "display/GlyphMaps.h"
#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
    const RgbImage map = LoadArt("MAPS", s.name);
    RgbImage glyph(width - s.gap, height - s.gap);
    for (int i = 0; i < glyph.Width() * glyph.Height(); ++i) {
        glyph.Set(i % glyph.Width(), i / glyph.Width(),
                  map.At(left + i % glyph.Width(), top + i / glyph.Width()));
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
    for (int i = 0; i < image.Width() * image.Height(); ++i) {
        const int x = i % image.Width(), y = i / image.Width();
        count += pick(image.At(x, y), x, y) ? 1 : 0;
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
    for (int at = 0; at < w * h; ++at) { // an area from every pixel, kept if it has any
        Blob& blob = blobs.emplace_back();
        grow(grow, at % w, at / w);
        blob.pixels == 0 ? blobs.pop_back() : void((blob.x /= blob.pixels, blob.y /= blob.pixels));
    }
    return blobs;
}

// All pixels at or above `least` as one area.
Blob LitArea(const RgbImage& glyph, int least) {
    Blob area;
    CountPixels(glyph,
                [&](Rgb p, int x, int y) { return Grey(p) >= least && (area.Add(x, y), true); });
    return area;
}

// A lit segment's middle is at least kLit bright; an unlit one is visible but clearly dark.
constexpr int kLit = 200, kUnlitMin = 12, kUnlitMax = 110;

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
    EXPECT_TRUE(bars.size() == 3 && posts.size() == 4)
        << "the lit segments of an 8 must be three separate bars and four posts";
    bars.resize(3), posts.resize(4); // what the check above has refused reads as nothing
    // Bars top to bottom; posts above the middle bar, then below it, each left to right.
    std::ranges::sort(bars, {}, &Blob::y);
    std::ranges::sort(posts, {}, [&](const Blob& b) { return std::pair(b.y > bars[1].y, b.x); });
    return {bars[0], posts[1], posts[3], bars[2], posts[2], posts[0], bars[1]};
}

// The big and the small digit map, each with the colon map that stands between its digits.
// Drawing any digit over any other must leave no trace, so every digit cell is at least as
// bright as the dark digit (cell 11) everywhere. Of the colon map the clock draws cell 2 (the
// date's point), 3 (the dark colon: two unlit dots) and 4 (the lit colon). The point is the
// colon's lower dot, and the colon stands at the height of the digit map's own colon (cell 15).
TEST(ArtDigitMap, EachCellLightsExactlyItsSegmentsOverTheUnlitDigitAndTheColonsMatch) {
    for (const auto& [digits, dots] : {std::pair{MapId::PicMap7B, MapId::PicMapDotsB},
                                       std::pair{MapId::PicMap7S, MapId::PicMapDotsS}}) {
        SCOPED_TRACE(SpecOf(digits).name);
        const std::array<Blob, 7> segments = FindSegments(Glyph(digits, 9));
        const RgbImage unlit = Glyph(digits, 11);
        for (int cell = 1; cell <= 13; ++cell) {
            const RgbImage glyph = Glyph(digits, cell);
            EXPECT_EQ(DarkerThan(glyph, unlit), 0) << "cell " << cell;
            for (int s = 0; s < 7; ++s) {
                const int grey = Grey(glyph.At(int(segments[s].x + 0.5), int(segments[s].y + 0.5)));
                const bool lit = kExpected[cell - 1].find(char('a' + s)) != std::string_view::npos;
                EXPECT_TRUE(lit ? grey >= kLit : grey >= kUnlitMin && grey <= kUnlitMax)
                    << "cell " << cell << " segment " << char('a' + s) << ": grey " << grey;
            }
        }
        const RgbImage dark = Glyph(dots, 3);
        EXPECT_EQ(FindBlobs(dark, kUnlitMin).size(), 2u);
        EXPECT_EQ(LitArea(dark, kUnlitMax).pixels, 0);
        const auto point = FindBlobs(Glyph(dots, 2), kLit);
        const auto colon = FindBlobs(Glyph(dots, 4), kLit);
        const auto digitColon = FindBlobs(Glyph(digits, 15), kLit);
        ASSERT_TRUE(point.size() == 1 && colon.size() == 2 && digitColon.size() == 2);
        EXPECT_NEAR(point[0].y, colon[1].y, 0.5);
        EXPECT_NEAR(colon[0].y, digitColon[0].y, 0.5);
        EXPECT_NEAR(colon[1].y, digitColon[1].y, 0.5);
    }
}

} // namespace
} // namespace diglux::art
