// The seven-segment maps, read back the way a person reads them: find the seven segments in
// the lit "8", then check which of them each cell lights, and that the dark segments are
// there behind every digit; and the colon maps drawn between the digits.
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
    std::vector<Blob> bars;  // wider than high: a, g and d
    std::vector<Blob> posts; // f, b, e and c
    for (const Blob& blob : FindBlobs(eight, 150)) {
        (blob.right - blob.left > blob.bottom - blob.top ? bars : posts).push_back(blob);
    }
    if (bars.size() != 3 || posts.size() != 4) {
        ADD_FAILURE() << "the lit segments of an 8 must be three separate bars and four posts";
        return {};
    }
    auto byY = [](const Blob& p, const Blob& q) { return p.y < q.y; };
    auto byX = [](const Blob& p, const Blob& q) { return p.x < q.x; };
    std::sort(bars.begin(), bars.end(), byY);
    std::sort(posts.begin(), posts.end(), byY);
    std::sort(posts.begin(), posts.begin() + 2, byX);
    std::sort(posts.begin() + 2, posts.end(), byX);
    return {bars[0], posts[1], posts[3], bars[2], posts[2], posts[0], bars[1]};
}

int GreyAt(const RgbImage& glyph, const Blob& b) {
    return Grey(glyph.At(static_cast<int>(b.x + 0.5), static_cast<int>(b.y + 0.5)));
}

// A digit map and the colon map that stands between its digits.
class ArtDigitMap : public ::testing::TestWithParam<std::pair<MapId, MapId>> {
  protected:
    RgbImage Digit(int cell) const { return Glyph(GetParam().first, cell); }
};

TEST_P(ArtDigitMap, EachCellLightsExactlyItsSegmentsOverTheUnlitDigit) {
    const std::array<Blob, 7> segments = FindSegments(Digit(9));
    // Drawing any digit over any other must leave no trace, so every digit cell is at
    // least as bright as the dark digit (cell 11) everywhere.
    const RgbImage dark = Digit(11);
    for (int cell = 1; cell <= 13; ++cell) {
        const RgbImage glyph = Digit(cell);
        EXPECT_EQ(DarkerThan(glyph, dark), 0) << "cell " << cell;
        for (int s = 0; s < 7; ++s) {
            const char name = static_cast<char>('a' + s);
            const int grey = GreyAt(glyph, segments[s]);
            SCOPED_TRACE("cell " + std::to_string(cell) + " segment " + name);
            if (kExpected[cell - 1].find(name) != std::string_view::npos) {
                EXPECT_GE(grey, kLit);
            } else {
                EXPECT_GE(grey, kUnlitMin);
                EXPECT_LE(grey, kUnlitMax);
            }
        }
    }
}

// The clock draws cell 2 (the date's point), 3 (the dark colon) and 4 (the lit colon).
TEST_P(ArtDigitMap, ColonMapDotsMatchTheColonOfTheDigits) {
    const MapId dotsMap = GetParam().second;
    const RgbImage dark = Glyph(dotsMap, 3);
    EXPECT_EQ(FindBlobs(dark, kUnlitMin).size(), 2u) << "two unlit dots";
    EXPECT_EQ(LitArea(dark, kUnlitMax).pixels, 0) << "that are dark";
    const auto point = FindBlobs(Glyph(dotsMap, 2), kLit);
    const auto colon = FindBlobs(Glyph(dotsMap, 4), kLit);
    const auto digitColon = FindBlobs(Digit(15), kLit);
    ASSERT_EQ(point.size(), 1u);
    ASSERT_EQ(colon.size(), 2u);
    ASSERT_EQ(digitColon.size(), 2u);
    EXPECT_NEAR(point[0].y, colon[1].y, 0.5) << "the point is the colon's lower dot";
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(colon[i].y, digitColon[i].y, 0.5) << "same height as the digits' colon";
    }
}

INSTANTIATE_TEST_SUITE_P(BigAndSmall, ArtDigitMap,
                         ::testing::Values(std::pair{MapId::PicMap7B, MapId::PicMapDotsB},
                                           std::pair{MapId::PicMap7S, MapId::PicMapDotsS}));

} // namespace
} // namespace diglux::art
