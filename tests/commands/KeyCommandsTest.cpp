// The key table and the alarm-time entry, through the window's key events.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

constexpr Key F(int n) {
    return FunctionKey(n);
}

class KeyCommandsTest : public ClockFixture {
  protected:
    void SetUp() override {
        host.resources.Override("SOUNDS", "PIEP", std::vector<std::uint8_t>(64, 1));
        host.clock.now = {2024, 3, 1, 9, 5, 7};
        Start();
    }
    // Presses a key and returns the line's text without its padding.
    std::string Press(Key key, int shift = 0) {
        host.window.sink->OnKeyDown(key, shift);
        std::string line = clock->Text().Text1Shown();
        line.erase(line.find_last_not_of(' ') + 1);
        return line;
    }
    ClockState& S() { return clock->State(); }
};

TEST_F(KeyCommandsTest, SettingTogglesConfirmThemselves) {
    const std::vector<std::pair<Key, std::string>> presses{
        {F(2), "BLINK: EIN"},     {F(2), "BLINK: AUS"},    {F(1), "EINSTELLUNGEN"},
        {F(12), "|-SER|FE: AUS"}, // the message itself loses its serifs
        {F(12), "I-SERIFE: EIN"}, {Key::S, "SIGNAL: AUS"}, {Key::S, "SIGNAL: EIN"},
        {Key::Z, "ANSAGE: EIN"},  {Key::K, "WOCHE: 9"},    {Key::W, "WOCHE: 9"}};
    for (const auto& [key, line] : presses) {
        EXPECT_EQ(Press(key), line) << int(key);
    }
    EXPECT_EQ(host.CallsStartingWith("sound.PlayWave SOUNDS/PIEP sync").size(), 1u);
    S().Dock = 10; // any magnet distance counts as on
    EXPECT_EQ(Press(F(4)), "MAGNET: AUS");
    EXPECT_EQ(S().Dock, 0);
    EXPECT_EQ(Press(F(4)), "MAGNET: EIN");
    EXPECT_EQ(S().Dock, 5);
}

TEST_F(KeyCommandsTest, ColourPresetsRecolourAndResetTheOffset) {
    S().Color_Offset = 40;
    EXPECT_EQ(Press(F(6)), "FARBE: ROT");
    EXPECT_EQ(S().Color_Offset, 0);
    EXPECT_EQ(Press(F(11)), "FARBE: VFD");
    EXPECT_EQ(S().EffColor, (Rgb{63, 255, 183}));
    const RgbImage tinted = TintedReference(LoadMaster(MapId::PicMap7B), {63, 255, 183});
    EXPECT_TRUE(GlyphMatches(clock->Face().PicClk(), 0, 0, tinted, MapId::PicMap7B, 1));
}

// With Ctrl: each component and the brightness offset move by 8 and stop at the ends; the
// offset is folded into the components first.
TEST_F(KeyCommandsTest, ComponentAndBrightnessKeysClampAndFormat) {
    S().Color_R = 250;
    EXPECT_EQ(Press(F(2), 2), "+ ROT:    255");
    S().Color_R = 95;
    S().Color_Offset = -8;
    EXPECT_EQ(Press(F(1), 2), "- ROT:    079");
    EXPECT_EQ(S().Color_G, 247);
    const std::vector<std::pair<Key, std::string>> presses{{F(3), "- GRUEN:  239"},
                                                           {F(4), "+ GRUEN:  247"},
                                                           {F(5), "- BLAU:   031"},
                                                           {F(6), "+ BLAU:   039"}};
    for (const auto& [key, line] : presses) {
        EXPECT_EQ(Press(key, 2), line);
    }
    S().Color_Offset = -250;
    EXPECT_EQ(Press(F(7), 2), "HELLIG.: -255");
    EXPECT_EQ(Press(F(8), 2), "HELLIG.: -247");
    S().Color_Offset = 8;
    EXPECT_EQ(Press(F(8), 2), "HELLIG.:  016");
    EXPECT_EQ(Press(F(9), 2), "HELLIG.:  000");
    EXPECT_EQ(Press(F(10), 2), "FARBE: ZUFALL");
    EXPECT_LE(std::max({S().Color_R, S().Color_G, S().Color_B}), 254);
}

TEST_F(KeyCommandsTest, CtrlRMovesTheWindowHomeAndTwoModifiersDoNothing) {
    host.log.clear();
    Press(Key::R, 2);
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (CallLog{"window.Move 32 32"}));
    const std::string before = clock->Text().Text1Shown();
    Press(F(6), 3); // Shift+Ctrl
    Press(F(4), 6); // Ctrl+Alt
    EXPECT_EQ(clock->Text().Text1Shown(), before);
    EXPECT_FALSE(clock->Ended());
}

TEST_F(KeyCommandsTest, F9ArmsAndDisarms) {
    S().Alarm_Time = "06:45";
    EXPECT_EQ(Press(F(9)), "ALARM: 06:45");
    EXPECT_TRUE(S().Alarm_Enabled);
    EXPECT_EQ(S().BellState, 1); // the alarm tick ran once
    EXPECT_EQ(Press(F(9)), "ALARM: AUS");
    EXPECT_FALSE(S().Alarm_Enabled);
}

TEST_F(KeyCommandsTest, AlarmEntryRefusesWithABeepAndCycles) {
    S().Alarm_Time = "07:30";
    Press(F(10));
    host.log.clear();
    Press(Key::D7); // no hour starts with 7
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 1u);
    EXPECT_EQ(S().EntryPos, 0);
    EXPECT_EQ(S().Alarm_Time, "07:30");
    Press(Key::Down); // Down at 0 on the hour tens gives 2, and 27 becomes 20
    EXPECT_EQ(S().Alarm_Time, "20:30");
    Press(Key::Right);
    Press(Key::Down); // with tens 2 the hour units cycle through 0 to 3
    EXPECT_EQ(S().Alarm_Time, "23:30");
    Press(Key::Up);
    EXPECT_EQ(S().Alarm_Time, "20:30");
    Press(Key::Right);
    Press(Key::D5);
    EXPECT_EQ(S().EntryPos, 3);
    Press(Key::Left);
    Press(Key::Up); // Up at 5 on the minute tens gives 0
    EXPECT_EQ(S().Alarm_Time, "20:00");
    Press(Key::D6); // refused: the minute tens go up to 5
    EXPECT_EQ(S().Alarm_Time, "20:00");
    EXPECT_EQ(S().EntryPos, 2);
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 2u);
    EXPECT_EQ(Press(Key::Escape), "ABGEBROCHEN");
    EXPECT_EQ(S().Alarm_Time, "07:30");
    EXPECT_FALSE(S().AlarmEntryMode);
}

} // namespace
} // namespace diglux::test
