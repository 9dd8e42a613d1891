// The text map: 96 characters for codes 32..127, each over the unlit sixteen segments, all
// different, and the few cells that hold something other than their code.
#include "ArtSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace diglux::art {
namespace {

constexpr int kLit = 128;

RgbImage Char(int code) {
    return Glyph(MapId::PicMap16S, code - 31);
}

Blob LitBox(int code) {
    return LitArea(Char(code), kLit);
}

TEST(ArtTextMap, EveryCharacterStandsOnTheUnlitSegmentsAndHasItsOwnGlyph) {
    const RgbImage space = Char(32);
    EXPECT_EQ(LitArea(space, kLit).pixels, 0);
    EXPECT_GT(LitArea(space, 10).pixels, space.Width() * space.Height() / 5)
        << "the sixteen unlit segments are visible";
    std::map<std::vector<std::uint8_t>, int> seen;
    for (int code = 33; code <= 127; ++code) {
        const RgbImage glyph = Char(code);
        EXPECT_GT(LitArea(glyph, kLit).pixels, 0) << "code " << code << " lights nothing";
        EXPECT_EQ(DarkerThan(glyph, space), 0) << "code " << code << " hides an unlit segment";
        std::vector<std::uint8_t> key(glyph.Data(), glyph.Data() + glyph.ByteSize());
        const auto [at, added] = seen.emplace(key, code);
        EXPECT_TRUE(added) << "code " << code << " looks like code " << at->second;
    }
}

TEST(ArtTextMap, SpecialCellsHoldTheirOwnSigns) {
    const int width = Char(32).Width();
    const int height = Char(32).Height();
    // The number sign's cell holds a degree sign: high up and narrower than a letter.
    const Blob degree = LitBox('#');
    EXPECT_LE(degree.bottom, height * 55 / 100);
    EXPECT_LT(degree.right - degree.left, width * 3 / 4);
    // The last cell holds one solid triangle: most of its box is lit, unlike thin strokes.
    const Blob triangle = LitBox(127);
    EXPECT_EQ(FindBlobs(Char(127), kLit).size(), 1u);
    EXPECT_GT(triangle.pixels * 3,
              (triangle.right - triangle.left + 1) * (triangle.bottom - triangle.top + 1));
    // The capital I has serifs; the bar is the I without them, in the same place.
    EXPECT_GE((LitBox('I').right - LitBox('I').left) - (LitBox('|').right - LitBox('|').left), 4);
    const RgbImage i = Char('I');
    const RgbImage bar = Char('|');
    auto notInI = [&](Rgb p, int x, int y) { return Grey(p) >= 200 && Grey(i.At(x, y)) < 200; };
    EXPECT_EQ(CountPixels(bar, notInI), 0);
    // Lower-case letters sit lower than their capitals.
    for (const char c : std::string("acmnoruvwxz")) {
        EXPECT_GT(LitBox(c).top, LitBox(c - 32).top + 5) << c;
    }
}

} // namespace
} // namespace diglux::art
