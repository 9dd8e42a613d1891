// The clock face drawn by DrawTime, checked pixel by pixel against the tinted maps.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

constexpr std::array<int, 6> kBigX{0, 90, 220, 310, 440, 530};
constexpr std::array<int, 8> kSmallX{0, 45, 115, 160, 230, 275, 320, 365};

class TimeDisplayTest : public ClockFixture {
  protected:
    void SetUp() override {
        host.clock.now = {2024, 3, 1, 9, 5, 7};
        big = TintedReference(LoadMaster(MapId::PicMap7B), DefaultGreen());
        small = TintedReference(LoadMaster(MapId::PicMap7S), DefaultGreen());
        dotsB = TintedReference(LoadMaster(MapId::PicMapDotsB), DefaultGreen());
        dotsS = TintedReference(LoadMaster(MapId::PicMapDotsS), DefaultGreen());
        icons = TintedReference(LoadMaster(MapId::PicMapOpt), DefaultGreen());
    }

    void ExpectBigDigits(const std::array<int, 6>& cells) {
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_TRUE(
                GlyphMatches(clock->Face().PicClk(), kBigX[i], 0, big, MapId::PicMap7B, cells[i]))
                << "digit " << i;
        }
    }

    // Runs the tick that follows a second change, the first redraw of the new second.
    void RedrawNextSecond() {
        TickAfter(1);
        TickAfter(0);
    }

    RgbImage big, small, dotsB, dotsS, icons;
};

TEST_F(TimeDisplayTest, FirstDrawingShowsTimeDateAndIconsInTheDefaultGreen) {
    Start();
    ClockFace& face = clock->Face();
    ExpectBigDigits({1, 10, 1, 6, 1, 8}); // 09:05:07, the digit d in cell d + 1
    EXPECT_TRUE(GlyphMatches(face.PicClk(), 183, 0, dotsB, MapId::PicMapDotsB, 4));
    EXPECT_TRUE(GlyphMatches(face.PicClk(), 403, 0, dotsB, MapId::PicMapDotsB, 4));
    const std::array<int, 8> date{0, 1, 0, 3, 2, 0, 2, 4}; // 01.03.2024
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(
            GlyphMatches(face.PicDat(), kSmallX[i], 0, small, MapId::PicMap7S, date[i] + 1));
    }
    EXPECT_TRUE(GlyphMatches(face.PicDat(), 89, 0, dotsS, MapId::PicMapDotsS, 2));
    EXPECT_TRUE(GlyphMatches(face.PicDat(), 204, 0, dotsS, MapId::PicMapDotsS, 2));
    EXPECT_TRUE(GlyphMatches(face.PicMisc(), 0, 0, icons, MapId::PicMapOpt, 1));  // bell off
    EXPECT_TRUE(GlyphMatches(face.PicMisc(), 27, 0, icons, MapId::PicMapOpt, 4)); // signal on
    EXPECT_TRUE(GlyphMatches(face.PicMisc(), 54, 0, icons, MapId::PicMapOpt, 5)); // speech off

    // The background is the tinted top-left pixel of the big dots map, everywhere.
    const Rgb background = dotsB.At(0, 0);
    EXPECT_EQ(face.PicClk().Pixels().At(181, 60), background);
    EXPECT_EQ(face.Frame().At(10, 100), background);
    // What the window shows is what the surfaces hold.
    EXPECT_EQ(face.Frame().At(18 + 95, 16 + 60), face.PicClk().Pixels().At(95, 60));
    EXPECT_EQ(face.Frame().At(224 + 50, 156 + 30), face.PicDat().Pixels().At(50, 30));
}

TEST_F(TimeDisplayTest, OnlyTheSecondsAreRedrawnWhenOnlyTheSecondChanged) {
    Start();
    clock->Face().Compose();
    RedrawNextSecond();
    // Only the last digit's pixels changed, so only they go to the screen.
    EXPECT_EQ(clock->Face().Compose(), (std::vector<Rect>{{18 + 530, 18, 90, 122}}));
    ExpectBigDigits({1, 10, 1, 6, 1, 9});
    // The second redraw of the same second (five ticks on) changes nothing with Blink off.
    for (int i = 0; i < 4; ++i) {
        TickAfter(0);
    }
    EXPECT_TRUE(clock->Face().Compose().empty());
}

TEST_F(TimeDisplayTest, BlinkingColonsAlternateOnTheTwoRedrawsOfASecond) {
    Start();
    clock->State().Blink = true;
    clock->Face().Compose();
    RedrawNextSecond();
    clock->Face().Compose();
    EXPECT_TRUE(GlyphMatches(clock->Face().PicClk(), 183, 0, dotsB, MapId::PicMapDotsB, 4));
    for (int i = 0; i < 4; ++i) {
        TickAfter(0);
    }
    EXPECT_TRUE(GlyphMatches(clock->Face().PicClk(), 403, 0, dotsB, MapId::PicMapDotsB, 3));
    // The dark colons are pushed: one area from the first colon to the second.
    const std::vector<Rect> pushed = clock->Face().Compose();
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_LE(pushed[0].left, 18 + 183);
    EXPECT_GE(pushed[0].Right(), 18 + 403);
}

TEST_F(TimeDisplayTest, ForcedRepaintKeepsTheTintAndTheBackground) {
    Start();
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
    ExpectBigDigits({1, 10, 1, 6, 1, 9});

    clock->State().DisplayValid = false;
    clock->State().ColorDirty = true;
    RedrawNextSecond();
    EXPECT_NE(face.PicClk().Pixels().At(181, 60), marker);
}

TEST_F(TimeDisplayTest, AlarmEntryShowsTheAlarmTimeWithTheEditedDigitBlinking) {
    Start();
    ClockState& s = clock->State();
    s.Alarm_Time = "07:30";
    s.AlarmEntryMode = true;
    s.EntryPos = 2;
    s.BellState = 0;
    s.DisplayValid = false;
    RedrawNextSecond();
    ExpectBigDigits({1, 8, 11, 1, 11, 11});
    EXPECT_TRUE(GlyphMatches(clock->Face().PicClk(), 183, 0, dotsB, MapId::PicMapDotsB, 4));
    EXPECT_TRUE(GlyphMatches(clock->Face().PicClk(), 403, 0, dotsB, MapId::PicMapDotsB, 3));

    s.BellState = 1;
    s.Alarm_Time = "7:30"; // not five characters: the digits typed so far stay
    s.DisplayValid = false;
    RedrawNextSecond();
    ExpectBigDigits({1, 8, 4, 1, 11, 11});
}

TEST_F(TimeDisplayTest, BrightnessOffsetIsClampedPerComponent) {
    Start();
    ClockState& s = clock->State();
    s.Color_R = 250;
    s.Color_G = 10;
    s.Color_B = 100;
    s.Color_Offset = 20;
    s.ColorDirty = true;
    s.DisplayValid = false;
    RedrawNextSecond();
    EXPECT_EQ(s.EffColor, (Rgb{255, 30, 120}));
    s.Color_Offset = -20;
    s.ColorDirty = true;
    s.DisplayValid = false;
    RedrawNextSecond();
    EXPECT_EQ(s.EffColor, (Rgb{230, 0, 80}));
    const RgbImage tinted = TintedReference(LoadMaster(MapId::PicMap7B), {230, 0, 80});
    EXPECT_TRUE(GlyphMatches(clock->Face().PicClk(), 0, 0, tinted, MapId::PicMap7B, 1));
}

} // namespace
} // namespace diglux::test
