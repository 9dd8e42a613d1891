// The clock face drawn by DrawTime, checked pixel by pixel against the tinted maps.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

const std::vector<int> kBigX{0, 90, 220, 310, 440, 530};
const std::vector<int> kIconX{0, 27, 54};

class TimeDisplayTest : public StartedClock {
  protected:
    // Whether the glyphs at the x positions show the cells of the map in the default green.
    static ::testing::AssertionResult Shows(const Surface& surface, const std::vector<int>& xs,
                                            MapId id, const std::vector<int>& cells) {
        return ShowsCells(surface, xs, TintedMaster(id, kDefaultGreen), id, cells);
    }
    ::testing::AssertionResult ShowsDigits(const std::vector<int>& cells) {
        return Shows(In().face.PicClk(), kBigX, MapId::PicMap7B, cells);
    }
    ::testing::AssertionResult ShowsColons(int left, int right) {
        return Shows(In().face.PicClk(), {183, 403}, MapId::PicMapDotsB, {left, right});
    }
};

TEST_F(TimeDisplayTest, FirstDrawingShowsEveryGlyphInTheDefaultGreen) {
    ClockFace& face = In().face;
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
    const Rgb background = TintedMaster(MapId::PicMapDotsB, kDefaultGreen).At(0, 0);
    EXPECT_EQ(face.PicClk().Pixels().At(181, 60), background);
    EXPECT_EQ(face.Frame().At(10, 100), background);
}

TEST_F(TimeDisplayTest, OnlyTheSecondsAreRedrawnWhenOnlyTheSecondChanged) {
    In().face.Compose();
    RunSeconds(1);
    // Only the last digit's pixels changed, so only they go to the screen.
    EXPECT_EQ(In().face.Compose(), (std::vector<Rect>{{18 + 530, 18, 90, 122}}));
    EXPECT_TRUE(ShowsDigits({1, 10, 1, 6, 1, 9}));
    for (int i = 0; i < 4; ++i) { // the second redraw of the same second, five ticks on
        TickAfter(0);
    }
    EXPECT_TRUE(In().face.Compose().empty()) << "with Blink off nothing changes";
}

// A forced repaint draws every glyph again in the tint it has, leaving the background and a
// pixel between the glyphs alone; a new colour repaints the background too.
TEST_F(TimeDisplayTest, ForcedRepaintKeepsTheTintAndTheBackground) {
    ClockFace& face = In().face;
    const Rgb marker{200, 0, 200};
    face.PicClk().FillRect({181, 60, 1, 1}, marker);
    face.Compose();
    In().time.Invalidate();
    RunSeconds(1);
    EXPECT_EQ(face.PicClk().Pixels().At(181, 60), marker);
    for (const Rect& area : face.Compose()) {
        EXPECT_NE(area, (Rect{0, 0, 654, 238})) << "the window's own canvas was repainted";
    }
    EXPECT_TRUE(ShowsDigits({1, 10, 1, 6, 1, 9}));
    In().time.InvalidateColor();
    RunSeconds(1);
    EXPECT_NE(face.PicClk().Pixels().At(181, 60), marker);
}

// While the time is typed the digits show it, the edited digit dark whenever the bell is, the
// seconds dark, the left colon lit and the right one dark. An alarm time that is not five
// characters long leaves the digits typed so far.
TEST_F(TimeDisplayTest, AlarmEntryShowsTheAlarmTimeWithTheEditedDigitBlinking) {
    In().settings.Alarm_Time = "07:30";
    Press(FunctionKey(10));
    Press(Key::Right);
    Press(Key::Right);
    In().time.SetBellState(0);
    In().time.Invalidate();
    RunSeconds(1);
    EXPECT_TRUE(ShowsDigits({1, 8, 11, 1, 11, 11}));
    EXPECT_TRUE(ShowsColons(4, 3));
    Press(Key::Escape);
    In().settings.Alarm_Time = "7:5";
    Press(FunctionKey(10));
    In().time.SetBellState(1);
    In().time.Invalidate();
    RunSeconds(1);
    EXPECT_TRUE(ShowsDigits({1, 8, 4, 1, 11, 11}));
}

TEST_F(TimeDisplayTest, ChangedIconsAreRedrawnWithoutAForcedRepaint) {
    In().time.SetBellState(1);
    In().settings.Signal = false;
    In().settings.SagZeit = true;
    RunSeconds(1);
    EXPECT_TRUE(Shows(In().face.PicMisc(), kIconX, MapId::PicMapOpt, {2, 3, 6}));
}

TEST_F(TimeDisplayTest, BrightnessOffsetIsClampedPerComponent) {
    Settings& s = In().settings;
    s.Color_R = 250;
    s.Color_G = 10;
    s.Color_B = 100;
    for (const auto& [offset, expected] :
         std::vector<std::pair<int, Rgb>>{{20, {255, 30, 120}}, {-20, {230, 0, 80}}}) {
        s.Color_Offset = static_cast<std::int16_t>(offset);
        In().time.InvalidateColor();
        RunSeconds(1);
        EXPECT_EQ(In().time.EffColor(), expected) << offset;
    }
}

} // namespace
} // namespace diglux::test
