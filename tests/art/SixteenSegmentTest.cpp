// The text map: 96 characters for codes 32..127, each over the unlit sixteen segments, all
// printable ones different, and the few cells that hold something other than their code.
#include "ArtSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace diglux::art {
namespace {

constexpr int kLit = 128;

class ArtTextMap : public ::testing::Test {
  protected:
    void SetUp() override {
        map_ = LoadMap(layout_.name);
        ASSERT_FALSE(map_.Empty());
    }
    RgbImage Char(int code) const { return Glyph(map_, layout_, code - 31); }
    // Columns or rows holding lit pixels, as a bit mask.
    std::vector<bool> LitColumns(int code) const {
        const RgbImage glyph = Char(code);
        std::vector<bool> lit(static_cast<std::size_t>(glyph.Width()), false);
        for (int y = 0; y < glyph.Height(); ++y) {
            for (int x = 0; x < glyph.Width(); ++x) {
                lit[x] = lit[x] || Grey(glyph.At(x, y)) >= kLit;
            }
        }
        return lit;
    }

    const ArtMap& layout_ = MapNamed("PicMap16S");
    RgbImage map_;
};

TEST_F(ArtTextMap, EveryPrintableCharacterHasItsOwnGlyph) {
    std::map<std::vector<std::uint8_t>, int> seen;
    for (int code = 33; code <= 126; ++code) {
        const RgbImage glyph = Char(code);
        EXPECT_GT(CountAtLeast(glyph, kLit), 0) << "code " << code << " lights nothing";
        std::vector<std::uint8_t> key(glyph.Data(), glyph.Data() + glyph.ByteSize());
        const auto [at, added] = seen.emplace(key, code);
        EXPECT_TRUE(added) << "code " << code << " looks like code " << at->second;
    }
    EXPECT_EQ(seen.size(), 94u);
}

TEST_F(ArtTextMap, SpaceShowsOnlyTheUnlitSegmentsAndEveryCharacterStandsOnThem) {
    const RgbImage space = Char(32);
    EXPECT_EQ(CountAtLeast(space, kLit), 0);
    EXPECT_GT(CountAtLeast(space, 10), space.Width() * space.Height() / 5)
        << "the sixteen unlit segments are visible";
    for (int code = 33; code <= 127; ++code) {
        const RgbImage glyph = Char(code);
        int darker = 0;
        for (int y = 0; y < glyph.Height(); ++y) {
            for (int x = 0; x < glyph.Width(); ++x) {
                darker += Grey(glyph.At(x, y)) + 1 < Grey(space.At(x, y)) ? 1 : 0;
            }
        }
        EXPECT_EQ(darker, 0) << "code " << code << " hides an unlit segment";
    }
}

TEST_F(ArtTextMap, NumberSignCellHoldsADegreeSignHighUp) {
    const RgbImage degree = Char('#');
    const auto blobs = FindBlobs(degree, kLit);
    ASSERT_FALSE(blobs.empty());
    int bottom = 0;
    int left = degree.Width();
    int right = 0;
    for (const Blob& b : blobs) {
        bottom = std::max(bottom, b.bottom);
        left = std::min(left, b.left);
        right = std::max(right, b.right);
    }
    EXPECT_LE(bottom, degree.Height() * 55 / 100) << "above the middle bar";
    EXPECT_LT(right - left, degree.Width() * 3 / 4) << "narrower than a letter";
}

TEST_F(ArtTextMap, CapitalIHasSerifsAndTheBarIsTheIWithout) {
    const std::vector<bool> withSerifs = LitColumns('I');
    const std::vector<bool> bar = LitColumns('|');
    int serifColumns = 0;
    for (std::size_t x = 0; x < bar.size(); ++x) {
        EXPECT_TRUE(!bar[x] || withSerifs[x]) << "column " << x;
        serifColumns += (withSerifs[x] && !bar[x]) ? 1 : 0;
    }
    EXPECT_GE(serifColumns, 4);
    const RgbImage i = Char('I');
    const RgbImage stroke = Char('|');
    for (int y = 0; y < i.Height(); ++y) {
        for (int x = 0; x < i.Width(); ++x) {
            if (Grey(stroke.At(x, y)) >= 200) {
                EXPECT_GE(Grey(i.At(x, y)), 200) << x << "," << y;
            }
        }
    }
}

TEST_F(ArtTextMap, LastCellHoldsASolidTriangle) {
    const RgbImage triangle = Char(127);
    const auto blobs = FindBlobs(triangle, kLit);
    ASSERT_EQ(blobs.size(), 1u);
    const Blob& b = blobs[0];
    // Solid: most of its box is lit, unlike the thin strokes of a character.
    const int box = (b.right - b.left + 1) * (b.bottom - b.top + 1);
    EXPECT_GT(b.pixels * 3, box);
    EXPECT_NE(triangle, Char('>'));
}

TEST_F(ArtTextMap, LowerCaseLettersSitLowerThanCapitals) {
    auto topmostLit = [this](int code) {
        const RgbImage glyph = Char(code);
        for (int y = 0; y < glyph.Height(); ++y) {
            for (int x = 0; x < glyph.Width(); ++x) {
                if (Grey(glyph.At(x, y)) >= kLit) {
                    return y;
                }
            }
        }
        return glyph.Height();
    };
    for (const char c : std::string("acmnoruvwxz")) {
        EXPECT_GT(topmostLit(c), topmostLit(c - 32) + 5) << c;
    }
}

} // namespace
} // namespace diglux::art
