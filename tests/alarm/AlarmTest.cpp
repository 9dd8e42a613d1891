// The alarm from the first ringing second to its end: what the alarm tick shows and plays in
// its two phases, the ways to stop it, and what disarming and typing do meanwhile.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

constexpr TimerId kTimerAlarm = 2;

class AlarmTest : public ClockFixture {
  protected:
    void SetUp() override {
        host.resources.Override("VOICE1", "~", std::vector<std::uint8_t>(64, 0));
        host.clock.now = {2024, 3, 1, 7, 29, 59};
        Start();
        ClockState& s = clock->State();
        s.Alarm_Enabled = true;
        s.Alarm_Time = "07:30";
        s.Alarm_SagZeit = false;
        RunSeconds(1); // 07:30:00: ringing starts
        ASSERT_TRUE(s.AlarmRinging);
        host.log.clear();
    }

    void RunSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            TickAfter(1);
            TickAfter(0);
        }
    }

    void AlarmTick() { host.timers.Fire(kTimerAlarm); }
    std::string Line() const { return clock->Text().Text1Shown(); }
};

TEST_F(AlarmTest, BrightAndDarkPhasesAlternate) {
    const RgbImage icons = TintedReference(LoadMaster(MapId::PicMapOpt), DefaultGreen());
    AlarmTick(); // bright
    EXPECT_EQ(Line(), ">>> ALARM <<<");
    EXPECT_TRUE(GlyphMatches(clock->Face().PicMisc(), 0, 0, icons, MapId::PicMapOpt, 2));
    EXPECT_EQ(host.CallsStartingWith("sound.").size(), 1u);
    EXPECT_NE(host.CallsStartingWith("sound.PlayFile").at(0).find("Alarm.wav async nowait"),
              std::string::npos);
    EXPECT_EQ(host.log.back(), "window.SetTopmost 1 1");
    host.log.clear();
    AlarmTick(); // dark
    EXPECT_EQ(Line(), ">>> 07:30 <<<");
    EXPECT_TRUE(GlyphMatches(clock->Face().PicMisc(), 0, 0, icons, MapId::PicMapOpt, 1));
    EXPECT_EQ(host.CallsStartingWith("sound."), (CallLog{"sound.Stop"}));
    EXPECT_EQ(host.CallsStartingWith("window."), (CallLog{"window.SetTopmost 0 0"}));
}

// Esc stops the ringing instead of closing the program.
TEST_F(AlarmTest, SpaceEnterEscAndClicksStopIt) {
    for (const Key key : {Key::Space, Key::Return, Key::Escape}) {
        clock->State().AlarmRinging = true;
        host.log.clear();
        host.window.sink->OnKeyDown(key, 0);
        EXPECT_FALSE(clock->State().AlarmRinging) << int(key);
        EXPECT_EQ(Line(), "ALARM STOP   ") << int(key);
        EXPECT_EQ(CallLog(host.log.begin(), host.log.begin() + 3),
                  (CallLog{"sound.Stop", "sound.PlayWave VOICE1/~ sync", "window.SetTopmost 0 0"}))
            << int(key);
    }
    EXPECT_FALSE(clock->Ended());
    clock->State().AlarmRinging = true;
    host.window.sink->OnMouseDown(kRightButton, 0, {300, 100});
    EXPECT_FALSE(clock->State().AlarmRinging);
}

// Disarmed, the alarm tick goes dark and silent and the automatic end waits; while a time is
// typed the tick blinks the digit instead.
TEST_F(AlarmTest, DisarmingStopsTheRingingWorkButNotTheRinging) {
    ClockState& s = clock->State();
    s.Alarm_Enabled = false;
    AlarmTick();
    AlarmTick();
    EXPECT_EQ(s.BellState, 0);
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
    RunSeconds(400);
    EXPECT_TRUE(s.AlarmRinging);
    s.AlarmEntryMode = true;
    AlarmTick();
    EXPECT_EQ(s.BellState, 1);
}

TEST_F(AlarmTest, SpokenAlarmIsDueEveryTenSeconds) {
    ClockState& s = clock->State();
    s.Alarm_SagZeit = true;
    std::vector<int> dueSeconds;
    for (int i = 0; i < 25; ++i) {
        RunSeconds(1);
        if (s.AlarmSpeakDue) {
            dueSeconds.push_back(s.TickNow.second);
            AlarmTick();
            if (s.BellState == 0) {
                AlarmTick(); // the announcement waits for the bright phase
            }
            EXPECT_FALSE(s.AlarmSpeakDue);
        }
    }
    EXPECT_EQ(dueSeconds, (std::vector<int>{10, 20}));
    EXPECT_TRUE(host.CallsStartingWith("sound.PlayFile").empty());
}

} // namespace
} // namespace diglux::test
