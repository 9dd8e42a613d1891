// The clock face drawn by DrawTime, checked pixel by pixel against the tinted maps.
#include "tests/support/ClockFixture.h"

#include <map>

namespace diglux::test {
namespace {

const std::vector<int> kBigX{0, 90, 220, 310, 440, 530};
const std::vector<int> kColonX{183, 403};
const std::vector<int> kIconX{0, 27, 54};

class TimeDisplayTest : public ClockFixture {
  protected:
    void SetUp() override {
        host.clock.now = {2024, 3, 1, 9, 5, 7};
        Start();
    }

    // Whether the glyphs at the x positions of the surface show the cells of the map,
    // tinted in the default green.
    ::testing::AssertionResult Shows(const Surface& surface, const std::vector<int>& xs, MapId id,
                                     const std::vector<int>& cells) {
        auto [tinted, added] = maps.try_emplace(id);
        if (added) {
            tinted->second = TintedReference(LoadMaster(id), DefaultGreen());
        }
        for (std::size_t i = 0; i < xs.size(); ++i) {
            auto match = GlyphMatches(surface, xs[i], 0, tinted->second, id, cells[i]);
            if (!match) {
                return match << " (glyph " << i + 1 << ")";
            }
        }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult ShowsDigits(const std::vector<int>& cells) {
        return Shows(clock->Face().PicClk(), kBigX, MapId::PicMap7B, cells);
    }
    ::testing::AssertionResult ShowsColons(int left, int right) {
        return Shows(clock->Face().PicClk(), kColonX, MapId::PicMapDotsB, {left, right});
    }
    // The text map's cells of a line of text drawn from x0 on.
    ::testing::AssertionResult ShowsText(const Surface& surface, int x0, const std::string& text) {
        std::vector<int> xs;
        std::vector<int> cells;
        for (std::size_t i = 0; i < text.size(); ++i) {
            xs.push_back(x0 + static_cast<int>(i) * 14);
            cells.push_back(static_cast<unsigned char>(text[i]) - 31);
        }
        return Shows(surface, xs, MapId::PicMap16S, cells);
    }

    // Runs the tick that follows a second change, the first redraw of the new second.
    void RedrawNextSecond() {
        TickAfter(1);
        TickAfter(0);
    }

    std::map<MapId, RgbImage> maps;
};

TEST_F(TimeDisplayTest, FirstDrawingShowsEveryGlyphInTheDefaultGreen) {
    ClockFace& face = clock->Face();
    EXPECT_TRUE(ShowsDigits({1, 10, 1, 6, 1, 8})); // 09:05:07, the digit d in cell d + 1
    EXPECT_TRUE(ShowsColons(4, 4));
    EXPECT_TRUE(Shows(face.PicDat(), {0, 45, 115, 160, 230, 275, 320, 365}, MapId::PicMap7S,
                      {1, 2, 1, 4, 3, 1, 3, 5})); // 01.03.2024
    EXPECT_TRUE(Shows(face.PicDat(), {89, 204}, MapId::PicMapDotsS, {2, 2}));
    // Bell off, signal on, speech off.
    EXPECT_TRUE(Shows(face.PicMisc(), kIconX, MapId::PicMapOpt, {1, 4, 5}));
    EXPECT_TRUE(ShowsText(face.PicT1(), 4, "FREITAG      "));
    EXPECT_TRUE(ShowsText(face.PicT2(), 0, "   KW 9"));

    // The background is the tinted top-left pixel of the big dots map, everywhere.
    const Rgb background = maps[MapId::PicMapDotsB].At(0, 0);
    EXPECT_EQ(face.PicClk().Pixels().At(181, 60), background);
    EXPECT_EQ(face.Frame().At(10, 100), background);
}

TEST_F(TimeDisplayTest, OnlyTheSecondsAreRedrawnWhenOnlyTheSecondChanged) {
    clock->Face().Compose();
    RedrawNextSecond();
    // Only the last digit's pixels changed, so only they go to the screen.
    EXPECT_EQ(clock->Face().Compose(), (std::vector<Rect>{{18 + 530, 18, 90, 122}}));
    EXPECT_TRUE(ShowsDigits({1, 10, 1, 6, 1, 9}));
    // The second redraw of the same second changes nothing with Blink off.
    for (int i = 0; i < 4; ++i) { // the second redraw of the same second, five ticks on
        TickAfter(0);
    }
    EXPECT_TRUE(clock->Face().Compose().empty());
}

TEST_F(TimeDisplayTest, ForcedRepaintKeepsTheTintAndTheBackground) {
    ClockFace& face = clock->Face();
    const Rgb marker{200, 0, 200};
    face.PicClk().FillRect({181, 60, 1, 1}, marker);
    face.Compose();
    clock->State().DisplayValid = false;
    RedrawNextSecond();
    EXPECT_EQ(face.PicClk().Pixels().At(181, 60), marker);
    for (const Rect& area : face.Compose()) {
        EXPECT_NE(area, (Rect{0, 0, 654, 238})) << "the window's own canvas was repainted";
    }
    EXPECT_TRUE(ShowsDigits({1, 10, 1, 6, 1, 9}));

    clock->State().DisplayValid = false;
    clock->State().ColorDirty = true;
    RedrawNextSecond();
    EXPECT_NE(face.PicClk().Pixels().At(181, 60), marker);
}

TEST_F(TimeDisplayTest, AlarmEntryShowsTheAlarmTimeWithTheEditedDigitBlinking) {
    ClockState& s = clock->State();
    s.Alarm_Time = "07:30";
    s.AlarmEntryMode = true;
    s.EntryPos = 2;
    s.BellState = 0;
    s.DisplayValid = false;
    RedrawNextSecond();
    EXPECT_TRUE(ShowsDigits({1, 8, 11, 1, 11, 11}));
    EXPECT_TRUE(ShowsColons(4, 3));

    s.BellState = 1;
    s.Alarm_Time = "7:30"; // not five characters: the digits typed so far stay
    s.DisplayValid = false;
    RedrawNextSecond();
    EXPECT_TRUE(ShowsDigits({1, 8, 4, 1, 11, 11}));
}

TEST_F(TimeDisplayTest, ChangedIconsAreRedrawnWithoutAForcedRepaint) {
    ClockState& s = clock->State();
    s.BellState = 1;
    s.Signal = false;
    s.SagZeit = true;
    RedrawNextSecond();
    EXPECT_TRUE(Shows(clock->Face().PicMisc(), kIconX, MapId::PicMapOpt, {2, 3, 6}));
}

TEST_F(TimeDisplayTest, BrightnessOffsetIsClampedPerComponent) {
    ClockState& s = clock->State();
    s.Color_R = 250;
    s.Color_G = 10;
    s.Color_B = 100;
    for (const auto& [offset, expected] :
         std::vector<std::pair<int, Rgb>>{{20, {255, 30, 120}}, {-20, {230, 0, 80}}}) {
        s.Color_Offset = static_cast<std::int16_t>(offset);
        s.ColorDirty = true;
        s.DisplayValid = false;
        RedrawNextSecond();
        EXPECT_EQ(s.EffColor, expected) << offset;
    }
}

} // namespace
} // namespace diglux::test
