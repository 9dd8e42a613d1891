// The seven-segment maps, read back the way a person reads them: find the seven segments in
// the lit "8", then check which of them each cell lights, and that the dark segments are
// there behind every digit.
#include "ArtSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace diglux::art {
namespace {

constexpr int kLit = 200;      // a lit segment's middle is at least this bright
constexpr int kUnlitMin = 12;  // an unlit segment is visible ...
constexpr int kUnlitMax = 110; // ... but clearly dark

// Cells 1 to 13 of a digit map: the segments (a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle) each one lights.
constexpr std::array<std::string_view, 13> kExpected = {
    "abcdef", "bc",      "abdeg",  "abcdg", "bcfg", "acdfg", "acdefg",
    "abc",    "abcdefg", "abcdfg", "",      "g",    "abfg"};

// The segments of the lit "8" (cell 9), ordered a to g. Lit segments stay apart: the gaps
// between them show as darker pixels.
std::array<Blob, 7> FindSegments(const RgbImage& eight) {
    std::vector<Blob> blobs = FindBlobs(eight, 150);
    EXPECT_EQ(blobs.size(), 7u) << "the lit segments of an 8 must be separate";
    std::array<Blob, 7> seg{};
    if (blobs.size() != 7) {
        return seg;
    }
    auto wide = [](const Blob& b) { return b.right - b.left > b.bottom - b.top; };
    std::vector<Blob> bars;
    std::vector<Blob> posts;
    for (const Blob& b : blobs) {
        (wide(b) ? bars : posts).push_back(b);
    }
    EXPECT_EQ(bars.size(), 3u);
    EXPECT_EQ(posts.size(), 4u);
    if (bars.size() != 3 || posts.size() != 4) {
        return seg;
    }
    std::sort(bars.begin(), bars.end(), [](auto& p, auto& q) { return p.y < q.y; });
    std::sort(posts.begin(), posts.end(), [](auto& p, auto& q) { return p.y < q.y; });
    auto byX = [](const Blob& p, const Blob& q) { return p.x < q.x; };
    std::sort(posts.begin(), posts.begin() + 2, byX);
    std::sort(posts.begin() + 2, posts.end(), byX);
    // a b c d e f g
    return {bars[0], posts[1], posts[3], bars[2], posts[2], posts[0], bars[1]};
}

int GreyAt(const RgbImage& glyph, const Blob& b) {
    return Grey(glyph.At(static_cast<int>(b.x + 0.5), static_cast<int>(b.y + 0.5)));
}

class ArtDigitMap : public ::testing::TestWithParam<std::string_view> {};

TEST_P(ArtDigitMap, EachCellLightsExactlyItsSegments) {
    const ArtMap& layout = MapNamed(GetParam());
    const RgbImage map = LoadMap(layout.name);
    ASSERT_FALSE(map.Empty());
    const std::array<Blob, 7> segments = FindSegments(Glyph(map, layout, 9));
    for (int cell = 1; cell <= 13; ++cell) {
        const RgbImage glyph = Glyph(map, layout, cell);
        const std::string_view lit = kExpected[cell - 1];
        for (int s = 0; s < 7; ++s) {
            const char name = static_cast<char>('a' + s);
            const int grey = GreyAt(glyph, segments[s]);
            SCOPED_TRACE("cell " + std::to_string(cell) + " segment " + name);
            if (lit.find(name) != std::string_view::npos) {
                EXPECT_GE(grey, kLit);
            } else {
                EXPECT_GE(grey, kUnlitMin);
                EXPECT_LE(grey, kUnlitMax);
            }
        }
    }
}

TEST_P(ArtDigitMap, PointAndColonCellsShowOnlyTheirDots) {
    const ArtMap& layout = MapNamed(GetParam());
    const RgbImage map = LoadMap(layout.name);
    const std::array<Blob, 7> segments = FindSegments(Glyph(map, layout, 9));
    const std::array<std::size_t, 3> litDots = {1, 2, 0}; // cells 14, 15, 16
    for (int cell = 14; cell <= 16; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        const RgbImage glyph = Glyph(map, layout, cell);
        const std::vector<Blob> dots = FindBlobs(glyph, kLit);
        EXPECT_EQ(dots.size(), litDots[cell - 14]);
        auto onADot = [&dots](const Blob& segment) {
            return std::any_of(dots.begin(), dots.end(), [&segment](const Blob& dot) {
                return segment.x >= dot.left - 2 && segment.x <= dot.right + 2 &&
                       segment.y >= dot.top - 2 && segment.y <= dot.bottom + 2;
            });
        };
        for (const Blob& segment : segments) {
            if (!onADot(segment)) {
                EXPECT_LT(GreyAt(glyph, segment), kUnlitMin) << "no segment behind a lone dot";
            }
        }
    }
    EXPECT_EQ(FindBlobs(Glyph(map, layout, 16), kUnlitMin).size(), 2u) << "two unlit dots";
    // The point sits at the foot of the digits, the colon between the digit's halves.
    const auto point = FindBlobs(Glyph(map, layout, 14), kLit);
    const auto colon = FindBlobs(Glyph(map, layout, 15), kLit);
    ASSERT_EQ(point.size(), 1u);
    ASSERT_EQ(colon.size(), 2u);
    EXPECT_GT(point[0].y, segments[4].y);
    EXPECT_LT(std::min(colon[0].y, colon[1].y), segments[6].y);
    EXPECT_GT(std::max(colon[0].y, colon[1].y), segments[6].y);
}

TEST_P(ArtDigitMap, UnlitSegmentsStandBehindEveryDigit) {
    // Drawing any digit over any other must leave no trace, so every digit cell is at
    // least as bright as the dark digit everywhere.
    const ArtMap& layout = MapNamed(GetParam());
    const RgbImage map = LoadMap(layout.name);
    const RgbImage dark = Glyph(map, layout, 11);
    EXPECT_GT(CountAtLeast(dark, kUnlitMin), dark.Width() * dark.Height() / 10);
    EXPECT_EQ(CountAtLeast(dark, kLit), 0);
    for (int cell = 1; cell <= 13; ++cell) {
        const RgbImage glyph = Glyph(map, layout, cell);
        int darker = 0;
        for (int y = 0; y < glyph.Height(); ++y) {
            for (int x = 0; x < glyph.Width(); ++x) {
                darker += Grey(glyph.At(x, y)) + 1 < Grey(dark.At(x, y)) ? 1 : 0;
            }
        }
        EXPECT_EQ(darker, 0) << "cell " << cell;
    }
}

INSTANTIATE_TEST_SUITE_P(BigAndSmall, ArtDigitMap, ::testing::Values("PicMap7B", "PicMap7S"));

class ArtColonMap : public ::testing::TestWithParam<std::pair<std::string_view, std::string_view>> {
};

TEST_P(ArtColonMap, DotsMatchTheColonOfTheDigitsTheyStandBetween) {
    const ArtMap& layout = MapNamed(GetParam().first);
    const RgbImage map = LoadMap(layout.name);
    ASSERT_FALSE(map.Empty());
    const std::array<std::size_t, 4> dots = {1, 1, 2, 2};
    for (int cell = 1; cell <= 4; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        const RgbImage glyph = Glyph(map, layout, cell);
        const bool lit = cell % 2 == 0;
        EXPECT_EQ(FindBlobs(glyph, lit ? kLit : kUnlitMin).size(), dots[cell - 1]);
        if (!lit) {
            EXPECT_EQ(CountAtLeast(glyph, kUnlitMax), 0);
        }
    }
    const auto lower = FindBlobs(Glyph(map, layout, 2), kLit);
    const auto colon = FindBlobs(Glyph(map, layout, 4), kLit);
    const ArtMap& digits = MapNamed(GetParam().second);
    const auto digitColon = FindBlobs(Glyph(LoadMap(digits.name), digits, 15), kLit);
    ASSERT_EQ(lower.size(), 1u);
    ASSERT_EQ(colon.size(), 2u);
    ASSERT_EQ(digitColon.size(), 2u);
    EXPECT_NEAR(lower[0].y, colon[1].y, 0.5) << "the lower dot is the colon's lower dot";
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(colon[i].y, digitColon[i].y, 0.5) << "same height as the digits' colon";
    }
}

INSTANTIATE_TEST_SUITE_P(BigAndSmall, ArtColonMap,
                         ::testing::Values(std::pair{"PicMapDotsB", "PicMap7B"},
                                           std::pair{"PicMapDotsS", "PicMap7S"}));

} // namespace
} // namespace diglux::art
