// The text line and the text field: holding, scrolling, rolling and what they draw.
#include "display/TextDisplay.h"
#include "model/Calendar.h"
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

TEST(Calendar, WeeksStartOnMondayAndFollowTheThursdayRule) {
    const std::vector<std::pair<std::array<int, 3>, int>> weeks{
        {{2024, 3, 1}, 9},    {{2024, 12, 30}, 1}, {{2021, 1, 3}, 53}, {{2021, 1, 4}, 1},
        {{2026, 12, 31}, 53}, {{2027, 1, 3}, 53},  {{2027, 1, 4}, 1},  {{2023, 1, 1}, 52}};
    for (const auto& [d, week] : weeks) {
        EXPECT_EQ(IsoWeek(d[0], d[1], d[2]), week) << d[0] << "-" << d[1] << "-" << d[2];
    }
}

} // namespace
} // namespace diglux::test
