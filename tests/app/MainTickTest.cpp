// The main tick against the fake clock: second changes, the two redraws of a second, the
// alarm's start and end, and the hourly signal.
#include "store/RegistryAccess.h"
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
    void StartAt(int hour, int minute, int second) {
        host.clock.now = {2024, 3, 1, hour, minute, second};
        Start();
        TickAfter(0);
    }

    // Moves on by whole seconds, each with its first redraw tick.
    void RunSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            TickAfter(1);
            TickAfter(0);
        }
    }

    void ArmAlarm(const std::string& time) {
        clock->State().Alarm_Enabled = true;
        clock->State().Alarm_Time = time;
    }

    std::size_t PiepCount() const {
        return host.CallsStartingWith("sound.PlayWave SOUNDS/PIEP").size();
    }
};

TEST_F(MainTickTest, ColonIsLitForTheFirstFourTicksOfASecond) {
    StartAt(9, 5, 7);
    ClockState& s = clock->State();
    s.Blink = true;
    TickAfter(1);
    std::vector<int> phases;
    std::vector<bool> redrawn;
    clock->Face().Compose();
    for (int tick = 1; tick <= 9; ++tick) {
        TickAfter(0);
        phases.push_back(s.ColonPhase);
        redrawn.push_back(!clock->Face().Compose().empty());
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(redrawn,
              (std::vector<bool>{true, false, false, false, true, false, false, false, false}));
}

// The alarm rings from its own second for 300 s more; the full hour it rings through is not
// signalled.
TEST_F(MainTickTest, AlarmRingsFromItsSecondForFiveMinutes) {
    StartAt(9, 57, 58);
    ArmAlarm("09:58");
    ClockState& s = clock->State();
    RunSeconds(1);
    EXPECT_FALSE(s.AlarmRinging);
    RunSeconds(1); // 09:58:00
    EXPECT_TRUE(s.AlarmRinging);
    EXPECT_EQ(host.CallsStartingWith("window.SetTopmost"),
              (std::vector<std::string>{"window.SetTopmost 1 1"}));
    RunSeconds(300); // 10:03:00 is the last ringing second
    EXPECT_TRUE(s.AlarmRinging);
    EXPECT_EQ(PiepCount(), 0u);
    const auto callsBefore = host.log.size();
    RunSeconds(1); // 10:03:01
    EXPECT_FALSE(s.AlarmRinging);
    const std::vector<std::string> tail(host.log.begin() + static_cast<long>(callsBefore),
                                        host.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"sound.Stop", "window.SetTopmost 0 0"}));
}

TEST_F(MainTickTest, AlarmBeforeMidnightEndsAtMidnight) {
    StartAt(23, 57, 59);
    ArmAlarm("23:58");
    ClockState& s = clock->State();
    RunSeconds(1);
    EXPECT_TRUE(s.AlarmRinging);
    RunSeconds(119); // 23:59:59
    EXPECT_TRUE(s.AlarmRinging);
    RunSeconds(1); // 00:00:00 of the next day counts as before the alarm time
    EXPECT_FALSE(s.AlarmRinging);
}

TEST_F(MainTickTest, AlarmDoesNotRingWhenItsSecondIsMissedOrWhileTheTimeIsTyped) {
    StartAt(7, 29, 59);
    ArmAlarm("07:30");
    ClockState& s = clock->State();
    s.AlarmEntryMode = true;
    RunSeconds(1);
    EXPECT_FALSE(s.AlarmRinging);
    s.AlarmEntryMode = false;
    RunSeconds(1); // 07:30:01: the trigger second has passed
    EXPECT_FALSE(s.AlarmRinging);

    s.Alarm_Time = "07:31";
    TickAfter(59); // a long block: 07:31:00 is skipped entirely
    TickAfter(1);
    TickAfter(0);
    EXPECT_FALSE(s.AlarmRinging);
}

// The signal sounds at a full hour from Start to Ende, both included; Start > Ende never
// signals, Start = Ende = 0 signals at midnight only.
TEST_F(MainTickTest, HourlySignalOnlyInsideTheInclusiveRange) {
    struct Case {
        int start, ende, hour;
        bool signalled;
    };
    StartAt(12, 0, 30);
    for (const Case c : {Case{10, 22, 10, true}, Case{10, 22, 22, true}, Case{10, 22, 9, false},
                         Case{10, 22, 23, false}, Case{22, 6, 23, false}, Case{22, 6, 3, false},
                         Case{22, 6, 22, false}, Case{0, 0, 0, true}, Case{0, 0, 1, false}}) {
        host.clock.now = {2024, 3, 1, (c.hour + 23) % 24, 59, 58};
        TickAfter(0);
        clock->State().SagZeit_Start = static_cast<std::int16_t>(c.start);
        clock->State().SagZeit_Ende = static_cast<std::int16_t>(c.ende);
        const std::size_t before = PiepCount();
        RunSeconds(4);
        EXPECT_EQ(PiepCount() - before, c.signalled ? 1u : 0u)
            << c.start << ".." << c.ende << " at " << c.hour;
    }
}

TEST_F(MainTickTest, SkippedFullHourIsNotSignalled) {
    StartAt(9, 59, 58);
    TickAfter(1);
    TickAfter(0);
    TickAfter(2); // 10:00:00 never gets a tick of its own
    TickAfter(0);
    RunSeconds(2);
    EXPECT_EQ(PiepCount(), 0u);
}

TEST_F(MainTickTest, FullHourPlaysSignalAndPausesThenTheAnnouncement) {
    StartAt(9, 59, 59);
    clock->State().SagZeit = true;
    const auto callsBefore = host.log.size();
    RunSeconds(1);
    std::vector<std::string> calls;
    for (auto it = host.log.begin() + static_cast<long>(callsBefore); it != host.log.end(); ++it) {
        if (it->rfind("sound.", 0) == 0 || it->rfind("events.", 0) == 0) {
            calls.push_back(*it);
        }
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"events.DoEvents", "sound.PlayWave SOUNDS/PIEP sync",
                                               "events.DoEvents", "sound.PlayWave VOICE1/~ sync",
                                               "events.DoEvents", "sound.PlayWave VOICE1/~ sync",
                                               "events.DoEvents", "sound.PlayWave memory async"}));
    // The joined announcement plays on while its sentence scrolls on the line.
    EXPECT_TRUE(clock->Text().Scrolling());
    // The next redraw of the same second does not signal again.
    for (int i = 0; i < 4; ++i) {
        TickAfter(0);
    }
    EXPECT_EQ(PiepCount(), 1u);
}

// A portrait start counts as unchanged; a desktop turned while the clock runs clicks, shows the
// new orientation and a second later moves the window to that orientation's stored place. A
// square desktop counts as landscape.
TEST_F(MainTickTest, TurnedDesktopMovesTheWindowToItsStoredPlace) {
    host.desktop.desktop = {0, 0, 1080, 1920};
    StartAt(12, 0, 30);
    EXPECT_EQ(clock->State().OrientationIndex, 1);
    EXPECT_EQ(clock->State().LoadCountdown, 0);
    RegistryAccess registry(host.registry);
    registry.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Window.Left", "11");
    registry.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Window.Top", "22");
    host.desktop.desktop = {0, 0, 1000, 1000};
    host.log.clear();
    RunSeconds(1);
    EXPECT_EQ(clock->State().OrientationIndex, 0);
    EXPECT_EQ(host.CallsStartingWith("sound.PlayWave SOUNDS/PLONG").size(), 1u);
    EXPECT_EQ(clock->Text().Text1Shown(), "SET LANDSCAPE");
    EXPECT_TRUE(host.CallsStartingWith("window.Move").empty());
    RunSeconds(1);
    EXPECT_EQ(host.CallsStartingWith("window.Move"),
              (std::vector<std::string>{"window.Move 11 22"}));
}

} // namespace
} // namespace diglux::test
