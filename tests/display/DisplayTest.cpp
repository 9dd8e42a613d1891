// The display: the text line and the text field (holding, scrolling, rolling and what they
// draw), and the clock face drawn by DrawTime, checked pixel by pixel against the tinted maps.
#include "display/TextDisplay.h"
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class TextDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(maps.LoadMasters(host.resources, host.images, error)) << error;
        maps.Recolor(kDefaultGreen);
        scrollTimer = host.timers.CreateTimer(5, [] {});
        text.SetScrollTimer(scrollTimer);
        host.window.visible = true;
        At(10.0);
    }
    // Seconds since midnight of the fake clock.
    void At(double seconds) {
        const int whole = static_cast<int>(seconds);
        host.clock.now = {2024, 3, 1, whole / 3600, whole / 60 % 60, whole % 60};
        host.clock.fraction = seconds - whole;
    }
    ::testing::AssertionResult LineShows(const std::string& line) {
        return ShowsText(face.PicT1(), 4, line);
    }
    // The character the field shows at a position, "?" for none.
    char FieldChar(int position) {
        for (int code = 32; code <= 127; ++code) {
            if (ShowsText(face.PicT2(), position * 14, std::string(1, static_cast<char>(code)))) {
                return static_cast<char>(code);
            }
        }
        return '?';
    }

    FakeHost host;
    Settings settings;
    ClockFace face;
    GlyphMaps maps;
    TimerId scrollTimer = 0;
    std::function<void()> onFrame = [] {};
    TextDisplay text{
        settings, face, maps, host.clock, host.timers, host.window, [this] { onFrame(); }};
};

// An unforced text waits for the one shown to have had its second (after midnight the clock
// reads less and it shows at once); a forced one shows at once, cut to 13 characters. Umlauts
// are spelled out, a capital I can lose its serifs, and what has no glyph shows as "?".
TEST_F(TextDisplayTest, UnforcedTextIsDroppedWithinASecondAndShownLater) {
    text.ShowText1("MONTAG", Force::No);
    EXPECT_TRUE(LineShows("MONTAG       "));
    At(10.5);
    text.ShowText1("FARBE: ROT", Force::No);
    EXPECT_EQ(text.Text1Shown(), "MONTAG       ");
    At(11.5);
    text.ShowText1("FARBE: ROT", Force::No);
    EXPECT_TRUE(LineShows("FARBE: ROT   "));
    At(11.6);
    text.ShowText1("EIN LANGER TEXT MIT MEHR", Force::Yes);
    EXPECT_TRUE(LineShows("EIN LANGER TE"));
    At(86399.5);
    text.ShowText1("SONNTAG", Force::No);
    At(0.2);
    text.ShowText1("MONTAG", Force::No);
    EXPECT_EQ(text.Text1Shown(), "MONTAG       ");
    settings.ISerifOff = true;
    text.ShowText1("INFO: AUS", Force::Yes);
    EXPECT_TRUE(LineShows("|NFO: AUS"));
    EXPECT_EQ(PrepareDisplayText("Grüße \xC3\xA9\t", false), "Gruesse ??");
    EXPECT_EQ(PrepareDisplayText("Ü1 IIi", true), "Ue1 ||i");
}

// A scroll steps once its delay has passed, takes the text's length plus fourteen steps, drops
// unforced texts meanwhile and ends on the text shown before; a forced text ends it early.
TEST_F(TextDisplayTest, ScrollStepsWaitForTheirDelayAndAForcedTextEndsThem) {
    text.ShowText1("FREITAG", Force::Yes);
    text.ScrollText1("ABC", 0.25);
    EXPECT_TRUE(host.timers.IsEnabled(scrollTimer));
    text.ShowText1("IGNORED", Force::No);
    text.TimerScr_Timer(); // the first step comes at once
    At(host.clock.SecondsSinceMidnight() + 0.2);
    face.PicT1().TakeDirty();
    text.TimerScr_Timer();
    EXPECT_FALSE(face.PicT1().IsDirty());
    int steps = 1;
    for (; host.timers.IsEnabled(scrollTimer); ++steps) { // a step delay later each time
        At(host.clock.SecondsSinceMidnight() + 0.251);
        text.TimerScr_Timer();
    }
    EXPECT_EQ(steps, 17);
    EXPECT_FALSE(text.Scrolling());
    EXPECT_TRUE(LineShows("FREITAG      "));

    text.ScrollText1("EIN LAUFTEXT", 0.25);
    text.TimerScr_Timer();
    text.ShowText1("ALARM STOP", Force::Yes);
    EXPECT_FALSE(text.Scrolling());
    EXPECT_FALSE(host.timers.IsEnabled(scrollTimer));
    EXPECT_TRUE(LineShows("ALARM STOP   "));
}

// Each character runs through the codes in between, one frame a step, 12 ms a frame while the
// window is shown: 49 falls to 41 and rises to 50 at the end.
TEST_F(TextDisplayTest, FieldRollsFromWeek49To50FrameByFrame) {
    std::vector<std::string> frames;
    text.RollText2("KW 49", Align::Right, {.initX = true});
    EXPECT_TRUE(ShowsText(face.PicT2(), 0, "  KW 49"));
    onFrame = [&] { frames.push_back({FieldChar(5), FieldChar(6)}); };
    host.log.clear();
    text.RollText2("KW 50", Align::Right, {});
    EXPECT_EQ(frames, (std::vector<std::string>{"48", "47", "46", "45", "44", "43", "42", "41",
                                                "50", "50"}));
    EXPECT_EQ(host.CallsStartingWith("clock.Sleep 12").size(), 10u);
    host.log.clear();
    host.window.visible = false;
    text.RollText2("KW 49", Align::Right, {});
    EXPECT_TRUE(host.CallsStartingWith("clock.Sleep").empty());
}

// Unchanged text is drawn again only with initX (a spoiled pixel shows whether it was); the
// field's content follows Text.2: nothing, the week, the armed alarm, the alarm or the week.
TEST_F(TextDisplayTest, FieldContentFollowsTextTwoAndInitXRedrawsAtOnce) {
    text.DrawText2({.initX = true});
    const Rgb marker{200, 0, 200};
    face.PicT2().FillRect({0, 0, 1, 1}, marker);
    text.DrawText2();
    EXPECT_EQ(face.PicT2().Pixels().At(0, 0), marker);
    EXPECT_TRUE(host.CallsStartingWith("clock.Sleep").empty());

    settings.Alarm_Time = "06:45";
    const std::vector<std::tuple<int, bool, std::string>> cases{{1, true, "   KW 9"},
                                                                {0, true, "       "},
                                                                {2, false, "       "},
                                                                {3, true, " 06:45 "},
                                                                {3, false, "   KW 9"}};
    for (const auto& [mode, armed, shown] : cases) {
        settings.Text_2 = static_cast<std::int16_t>(mode);
        settings.Alarm_Enabled = armed;
        text.DrawText2({.initX = true});
        EXPECT_EQ(text.T2Shown(), shown) << mode;
        EXPECT_TRUE(ShowsText(face.PicT2(), 0, shown)) << mode;
    }
}

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
