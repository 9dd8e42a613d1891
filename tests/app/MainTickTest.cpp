// The main tick against the fake clock: second changes, the two redraws of a second, the
// alarm's start and end, the hourly signal and a turned desktop.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class MainTickTest : public ClockFixture {
  protected:
    void SetUp() override {
        // Stand-ins for the signal and the pause clip, recognisable in the call log.
        host.resources.Override("SOUNDS", "PIEP", std::vector<std::uint8_t>(64, 1));
        host.resources.Override("VOICE1", "~", std::vector<std::uint8_t>(64, 0));
    }
    // Starts the clock at the given time and lets the first second pass its redraws.
    void StartAt(int hour, int minute, int second, const std::string& alarm = "") {
        host.clock.now = {2024, 3, 1, hour, minute, second};
        Start();
        TickAfter(0);
        In().settings.Alarm_Enabled = !alarm.empty();
        In().settings.Alarm_Time = alarm;
    }
    bool Ringing() { return In().alarm.AlarmRinging(); }
    std::size_t Pieps() const {
        return host.CallsStartingWith("sound.PlayWave SOUNDS/PIEP").size();
    }
};

TEST_F(MainTickTest, ColonIsLitForTheFirstFourTicksOfASecondAndOnlyTwoTicksRedraw) {
    StartAt(9, 5, 7);
    In().settings.Blink = true;
    TickAfter(1);
    In().face.Compose();
    std::vector<int> phases;
    std::vector<bool> redrawn;
    for (int tick = 1; tick <= 9; ++tick) {
        TickAfter(0);
        phases.push_back(In().time.ColonPhase());
        redrawn.push_back(!In().face.Compose().empty());
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(redrawn, (std::vector<bool>{1, 0, 0, 0, 1, 0, 0, 0, 0}));
}

// The alarm rings from its own second for 300 s more, raised to the top; the full hour it
// rings through is not signalled; at its end the sound stops and the window is released.
TEST_F(MainTickTest, AlarmRingsFromItsSecondForFiveMinutes) {
    StartAt(9, 57, 58, "09:58");
    RunSeconds(1);
    EXPECT_FALSE(Ringing());
    RunSeconds(1); // 09:58:00
    EXPECT_TRUE(Ringing());
    EXPECT_EQ(host.CallsStartingWith("window.SetTopmost"), (CallLog{"window.SetTopmost 1 1"}));
    RunSeconds(300); // 10:03:00 is the last ringing second
    EXPECT_TRUE(Ringing());
    EXPECT_EQ(Pieps(), 0u);
    host.log.clear();
    RunSeconds(1);
    EXPECT_FALSE(Ringing());
    EXPECT_EQ(host.log, (CallLog{"sound.Stop", "window.SetTopmost 0 0"}));
}

// Seconds count on the time of day only: an alarm at 23:58 ends at midnight. It does not ring
// while its time is being typed, nor once its second has passed unseen.
TEST_F(MainTickTest, AlarmEndsAtMidnightAndNeedsItsOwnSecond) {
    StartAt(23, 57, 59, "23:58");
    RunSeconds(1);
    EXPECT_TRUE(Ringing());
    RunSeconds(119);
    EXPECT_TRUE(Ringing());
    RunSeconds(1); // 00:00:00 of the next day counts as before the alarm time
    EXPECT_FALSE(Ringing());

    In().settings.Alarm_Time = "00:01";
    In().entry.Begin();
    RunSeconds(60);
    In().entry.Leave();
    RunSeconds(1); // 00:01:01: the trigger second has passed
    In().settings.Alarm_Time = "00:02";
    TickAfter(59); // a long block: 00:02:00 is skipped entirely
    RunSeconds(1);
    EXPECT_FALSE(Ringing());
}

// The signal sounds at a full hour from Start to Ende, both included; Start > Ende never
// signals, Start = Ende = 0 signals at midnight only; a full hour never seen is not signalled.
TEST_F(MainTickTest, HourlySignalOnlyInsideTheInclusiveRange) {
    StartAt(12, 0, 30);
    const std::vector<std::tuple<std::int16_t, std::int16_t, int, bool>> cases{
        {10, 22, 10, true},  {10, 22, 22, true}, {10, 22, 9, false},
        {10, 22, 23, false}, {22, 6, 23, false}, {22, 6, 3, false},
        {22, 6, 22, false},  {0, 0, 0, true},    {0, 0, 1, false}};
    for (const auto& [start, ende, hour, signalled] : cases) {
        host.clock.now = {2024, 3, 1, (hour + 23) % 24, 59, 58};
        TickAfter(0);
        In().settings.SagZeit_Start = start;
        In().settings.SagZeit_Ende = ende;
        const std::size_t before = Pieps();
        RunSeconds(4);
        EXPECT_EQ(Pieps() - before, signalled ? 1u : 0u) << start << ".." << ende << " at " << hour;
    }
    host.clock.now = {2024, 3, 1, 9, 59, 59};
    TickAfter(0);
    const std::size_t before = Pieps();
    TickAfter(2); // 10:00:00 never gets a tick of its own
    RunSeconds(2);
    EXPECT_EQ(Pieps(), before);
}

TEST_F(MainTickTest, FullHourPlaysSignalAndPausesThenTheAnnouncementOnce) {
    StartAt(9, 59, 59);
    In().settings.SagZeit = true;
    host.log.clear();
    RunSeconds(1);
    EXPECT_EQ(
        host.CallsStartingWith("sound.", "events."),
        (CallLog{"events.DoEvents", "sound.PlayWave SOUNDS/PIEP sync", "events.DoEvents",
                 "sound.PlayWave VOICE1/~ sync", "events.DoEvents", "sound.PlayWave VOICE1/~ sync",
                 "events.DoEvents", "sound.PlayWave memory async"}));
    // The joined announcement plays on while its sentence scrolls on the line.
    EXPECT_TRUE(In().text.Scrolling());
    for (int i = 0; i < 4; ++i) { // the next redraw of the same second does not signal again
        TickAfter(0);
    }
    EXPECT_EQ(Pieps(), 1u);
}

// A portrait start counts as unchanged; a desktop turned while the clock runs clicks, shows the
// new orientation and a second later moves the window to that orientation's stored place. A
// square desktop counts as landscape.
TEST_F(MainTickTest, TurnedDesktopMovesTheWindowToItsStoredPlace) {
    host.desktop.desktop = {0, 0, 1080, 1920};
    StartAt(12, 0, 30);
    In().store.SaveSettingValue("Window.Left", "11");
    In().store.SaveSettingValue("Window.Top", "22");
    RunSeconds(2);
    EXPECT_TRUE(host.CallsStartingWith("sound.PlayWave SOUNDS/PLONG").empty());
    host.desktop.desktop = {0, 0, 1000, 1000};
    host.log.clear();
    RunSeconds(1);
    EXPECT_EQ(host.CallsStartingWith("sound.PlayWave SOUNDS/PLONG").size(), 1u);
    EXPECT_EQ(In().text.Text1Shown(), "SET LANDSCAPE");
    EXPECT_TRUE(host.CallsStartingWith("window.Move").empty());
    RunSeconds(1);
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (CallLog{"window.Move 11 22"}));
}

} // namespace
} // namespace diglux::test
