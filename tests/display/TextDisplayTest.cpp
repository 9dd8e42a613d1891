// The text line and the text field: holding, scrolling, rolling and what they draw.
#include "display/TextDisplay.h"
#include "display/Calendar.h"
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class TextDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(maps.LoadMasters(host.resources, host.images, error)) << error;
        maps.Recolor({95, 255, 47});
        glyphs = TintedReference(LoadMaster(MapId::PicMap16S), {95, 255, 47});
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

    // Whether the character cells from x0 on, 14 pixels apart, show the text.
    ::testing::AssertionResult Shows(const Surface& surface, int x0, const std::string& expected) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            auto r = GlyphMatches(surface, x0 + static_cast<int>(i) * 14, 0, glyphs,
                                  MapId::PicMap16S, static_cast<unsigned char>(expected[i]) - 31);
            if (!r) {
                return r << " (character " << i + 1 << " of \"" << expected << "\")";
            }
        }
        return ::testing::AssertionSuccess();
    }
    // The line holds 13 characters, the field 7.
    ::testing::AssertionResult LineShows(const std::string& text) {
        return Shows(face.PicT1(), 4, text);
    }
    ::testing::AssertionResult FieldShows(const std::string& text) {
        return Shows(face.PicT2(), 0, text);
    }
    // The character the field shows at a position, "?" for none.
    char FieldChar(int position) {
        for (int code = 32; code <= 127; ++code) {
            if (Shows(face.PicT2(), position * 14, std::string(1, static_cast<char>(code)))) {
                return static_cast<char>(code);
            }
        }
        return '?';
    }

    // Runs the scroll timer once a step delay later; false when the scroll has ended.
    bool ScrollStep(double delay) {
        At(host.clock.SecondsSinceMidnight() + delay + 0.001);
        if (!host.timers.Fire(scrollTimer)) {
            return false;
        }
        text.TimerScr_Timer();
        return true;
    }

    FakeHost host;
    ClockState state;
    ClockFace face;
    GlyphMaps maps;
    RgbImage glyphs;
    TimerId scrollTimer = 0;
    TextDisplay text{state, face, maps, host.clock, host.timers, host.window, [] {}};
};

TEST_F(TextDisplayTest, UnforcedTextIsDroppedWithinASecondAndShownLater) {
    text.ShowText1("MONTAG", false);
    EXPECT_TRUE(LineShows("MONTAG       "));
    At(10.5);
    text.ShowText1("FARBE: ROT", false);
    EXPECT_EQ(text.Text1Shown(), "MONTAG       ");
    At(11.5);
    text.ShowText1("FARBE: ROT", false);
    EXPECT_TRUE(LineShows("FARBE: ROT   "));
    At(11.6);
    text.ShowText1("EIN LANGER TEXT MIT MEHR", true);
    EXPECT_TRUE(LineShows("EIN LANGER TE"));
    // After midnight the clock reads less than the last update: shown at once.
    At(86399.5);
    text.ShowText1("SONNTAG", false);
    At(0.2);
    text.ShowText1("MONTAG", false);
    EXPECT_EQ(text.Text1Shown(), "MONTAG       ");
}

TEST_F(TextDisplayTest, ScrollStepsWaitForTheirDelayAndTakeTheTextLengthPlusFourteen) {
    text.ShowText1("FREITAG", true);
    text.ScrollText1("ABC", 0.25, "", false);
    EXPECT_TRUE(host.timers.IsEnabled(scrollTimer));
    text.ShowText1("IGNORED", false); // dropped while scrolling
    text.TimerScr_Timer();            // the first step comes at once
    At(host.clock.SecondsSinceMidnight() + 0.2);
    face.PicT1().TakeDirty();
    text.TimerScr_Timer();
    EXPECT_FALSE(face.PicT1().IsDirty());
    int steps = 1;
    while (ScrollStep(0.25)) {
        ++steps;
    }
    EXPECT_EQ(steps, 17);
    EXPECT_FALSE(text.Scrolling());
    EXPECT_TRUE(LineShows("FREITAG      ")); // the text shown before
}

TEST_F(TextDisplayTest, ForcedTextEndsTheScroll) {
    text.ScrollText1("EIN LAUFTEXT", 0.25, "", false);
    text.TimerScr_Timer();
    text.ShowText1("ALARM STOP", true);
    EXPECT_FALSE(text.Scrolling());
    EXPECT_FALSE(host.timers.IsEnabled(scrollTimer));
    EXPECT_TRUE(LineShows("ALARM STOP   "));
}

TEST_F(TextDisplayTest, SerifLessIAndUnknownCharacters) {
    state.ISerifOff = true;
    text.ShowText1("INFO: AUS", true);
    EXPECT_TRUE(LineShows("|NFO: AUS"));
    EXPECT_EQ(PrepareDisplayText("Grüße \xC3\xA9\t", false), "Gruesse ??");
    EXPECT_EQ(PrepareDisplayText("Ü1 IIi", true), "Ue1 ||i");
}

TEST_F(TextDisplayTest, FieldRollsFromWeek49To50FrameByFrame) {
    // Snapshot the two changing characters every time a frame is pushed.
    std::vector<std::string> frames;
    TextDisplay rolling{state, face, maps, host.clock, host.timers, host.window, [&] {
                            frames.push_back({FieldChar(5), FieldChar(6)});
                        }};
    rolling.RollText2("KW 49", true, true, 0);
    EXPECT_TRUE(FieldShows("  KW 49"));
    frames.clear();
    host.log.clear();
    rolling.RollText2("KW 50", true, false, 0);
    EXPECT_EQ(frames, (std::vector<std::string>{"48", "47", "46", "45", "44", "43", "42", "41",
                                                "50", "50"}));
    EXPECT_EQ(host.CallsStartingWith("clock.Sleep 12").size(), 10u);
    EXPECT_EQ(rolling.T2Shown(), "  KW 50");
    host.log.clear(); // no pauses while the window is hidden
    host.window.visible = false;
    rolling.RollText2("KW 49", true, false, 0);
    EXPECT_TRUE(host.CallsStartingWith("clock.Sleep").empty());
}

TEST_F(TextDisplayTest, FieldContentFollowsTextTwoAndInitXRedrawsAtOnce) {
    // Unchanged text is drawn again only with initX; a spoiled pixel shows whether it was.
    state.Text_2 = 1;
    text.DrawText2(true, 0);
    const Rgb marker{200, 0, 200};
    face.PicT2().FillRect({0, 0, 1, 1}, marker);
    text.DrawText2(false, 0);
    EXPECT_EQ(face.PicT2().Pixels().At(0, 0), marker);
    EXPECT_TRUE(host.CallsStartingWith("clock.Sleep").empty());

    // The first case is the unchanged text with initX: the spoiled pixel is drawn over.
    state.Alarm_Time = "06:45";
    const std::vector<std::pair<int, bool>> cases{
        {1, true}, {0, true}, {2, false}, {3, true}, {3, false}};
    const std::vector<std::string> expected{"   KW 9", "       ", "       ", " 06:45 ", "   KW 9"};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        state.Text_2 = static_cast<std::int16_t>(cases[i].first);
        state.Alarm_Enabled = cases[i].second;
        text.DrawText2(true, 0);
        EXPECT_EQ(text.T2Shown(), expected[i]) << i;
        EXPECT_TRUE(FieldShows(expected[i])) << i;
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
