// The key table, the alarm-time entry, and the start and help messages.
#include "commands/Messages.h"
#include "tests/support/ClockFixture.h"

#include <algorithm>

namespace diglux::test {
namespace {

constexpr Key (*F)(int) = FunctionKey;

class KeyCommandsTest : public ClockFixture {
  protected:
    void SetUp() override {
        host.resources.Override("SOUNDS", "PIEP", std::vector<std::uint8_t>(64, 1));
        Start();
    }
    Settings& S() { return In().settings; }
};

TEST_F(KeyCommandsTest, SettingTogglesAndTheAlarmKeyConfirmThemselves) {
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
    S().Alarm_Time = "06:45"; // F9 arms and disarms the alarm
    EXPECT_EQ(Press(F(9)), "ALARM: 06:45");
    EXPECT_TRUE(S().Alarm_Enabled);
    EXPECT_EQ(In().time.BellState(), 1); // the alarm tick ran once
    EXPECT_EQ(Press(F(9)), "ALARM: AUS");
    EXPECT_FALSE(S().Alarm_Enabled);
}

TEST_F(KeyCommandsTest, ColourPresetsRecolourAndResetTheOffset) {
    S().Color_Offset = 40;
    EXPECT_EQ(Press(F(6)), "FARBE: ROT");
    EXPECT_EQ(S().Color_Offset, 0);
    EXPECT_EQ(Press(F(11)), "FARBE: VFD");
    EXPECT_TRUE(ShowsCells(In().face.PicClk(), {0}, TintedMaster(MapId::PicMap7B, {63, 255, 183}),
                           MapId::PicMap7B, {1}));
}

// With Ctrl: each component and the brightness offset move by 8 and stop at the ends; the
// offset is folded into the components first.
TEST_F(KeyCommandsTest, ComponentAndBrightnessKeysClampAndFormat) {
    S().Color_R = 250;
    EXPECT_EQ(Press(F(2), kCtrl), "+ ROT:    255");
    S().Color_R = 95;
    S().Color_Offset = -8;
    EXPECT_EQ(Press(F(1), kCtrl), "- ROT:    079");
    EXPECT_EQ(S().Color_G, 247);
    const std::vector<std::pair<int, std::string>> presses{
        {3, "- GRUEN:  239"}, {4, "+ GRUEN:  247"}, {5, "- BLAU:   031"}, {6, "+ BLAU:   039"}};
    for (const auto& [key, line] : presses) {
        EXPECT_EQ(Press(F(key), kCtrl), line);
    }
    S().Color_Offset = -250;
    EXPECT_EQ(Press(F(7), kCtrl), "HELLIG.: -255");
    EXPECT_EQ(Press(F(8), kCtrl), "HELLIG.: -247");
    S().Color_Offset = 8;
    EXPECT_EQ(Press(F(8), kCtrl), "HELLIG.:  016");
    EXPECT_EQ(Press(F(9), kCtrl), "HELLIG.:  000");
    EXPECT_EQ(Press(F(10), kCtrl), "FARBE: ZUFALL");
    EXPECT_LE(std::max({S().Color_R, S().Color_G, S().Color_B}), 254);
    S().Color_R = 32767; // hand-stored: the offset is added without wrapping
    S().Color_Offset = 8;
    EXPECT_EQ(Press(F(1), kCtrl), "- ROT:    247");
}

TEST_F(KeyCommandsTest, CtrlRMovesTheWindowHomeAndTwoModifiersDoNothing) {
    host.log.clear();
    Press(Key::R, kCtrl);
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (CallLog{"window.Move 32 32"}));
    const std::string before = In().text.Text1Shown();
    Press(F(6), kShift | kCtrl);
    Press(F(4), kCtrl | kAlt);
    EXPECT_EQ(In().text.Text1Shown(), before);
    EXPECT_FALSE(clock->Ended());
}

// Typing the alarm time: refused digits beep and keep the cursor, the arrows cycle each digit
// within its limit, Esc puts the old time back.
TEST_F(KeyCommandsTest, AlarmEntryRefusesWithABeepAndCycles) {
    S().Alarm_Time = "07:30";
    Press(F(10));
    host.log.clear();
    const std::vector<std::pair<Key, std::string>> steps{
        {Key::D7, "07:30"},    // no hour starts with 7
        {Key::Down, "20:30"},  // Down at 0 on the hour tens gives 2, and 27 becomes 20
        {Key::Right, "20:30"}, //
        {Key::Down, "23:30"},  // with tens 2 the hour units cycle through 0 to 3
        {Key::Up, "20:30"},    //
        {Key::Right, "20:30"}, //
        {Key::D5, "20:50"},    // the cursor stays on the last digit
        {Key::Left, "20:50"},  //
        {Key::Up, "20:00"},    // Up at 5 on the minute tens gives 0
        {Key::D6, "20:00"}};   // refused: the minute tens go up to 5
    for (const auto& [key, time] : steps) {
        Press(key);
        EXPECT_EQ(S().Alarm_Time, time) << int(key);
    }
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 2u);
    Press(Key::D3); // the refusal took the cursor back to the minute tens
    EXPECT_EQ(S().Alarm_Time, "20:30");
    EXPECT_EQ(Press(Key::Escape), "ABGEBROCHEN");
    EXPECT_EQ(S().Alarm_Time, "07:30");
    EXPECT_FALSE(In().entry.AlarmEntryMode());
}

std::string At(int hour, int minute, const Settings& settings = {}) {
    return StartMessage({2026, 12, 6, hour, minute, 0}, "1.00", settings);
}

TEST(StartMessage, GreetsByTheHourWithInclusiveBoundsReadsExactlyAndAddsTheArmedAlarm) {
    const std::vector<std::tuple<int, int, std::string>> cases{
        {11, 59, "Guten Morgen &"}, {12, 0, "Guten Tag &"},    {15, 59, "Guten Tag &"},
        {16, 0, "Guten Abend &"},   {23, 59, "Guten Abend &"}, {0, 0, "Guten Morgen &"}};
    for (const auto& [hour, minute, greeting] : cases) {
        EXPECT_EQ(At(hour, minute).substr(10, greeting.size()), greeting) << hour << ":" << minute;
    }
    // The whole message, and the alarm added when armed.
    const std::string off = At(9, 5);
    EXPECT_EQ(off, "     \x7f\x7f\x7f  Guten Morgen & Willkommen!  \x7f\x7f\x7f  DIGLUX  V1.00  "
                   "16.03.2022  (C) 2022-2026 Tandemark  \x7f\x7f\x7f  [F1]: Einstellungen  "
                   "\x7f  (T): Tastenblegung anzeigen  \x7f  (Rechts-Klick) auf Zeit/Datum = "
                   "Ansage  \x7f\x7f\x7f     ");
    EXPECT_EQ(At(9, 5, {.Alarm_Enabled = true, .Alarm_Time = "07:30"}),
              off.substr(0, off.size() - 5) + "  Alarm: 07:30 Uhr  \x7f\x7f\x7f     ");
}

} // namespace
} // namespace diglux::test
