// The alarm from the first ringing second to its end: what the alarm tick shows and plays in
// its two phases, the ways to stop it, and what disarming and typing do meanwhile.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class AlarmTest : public ClockFixture {
  protected:
    void SetUp() override {
        host.resources.Override("VOICE1", "~", std::vector<std::uint8_t>(64, 0));
        host.clock.now = {2024, 3, 1, 7, 29, 58};
        Start();
        In().settings.Alarm_Enabled = true;
        In().settings.Alarm_Time = "07:30";
        In().settings.Alarm_SagZeit = false;
        Ring();
    }
    // Lets the alarm start again: back to the second before it, then on to its second.
    void Ring() {
        host.clock.now = {2024, 3, 1, 7, 29, 59};
        TickAfter(0);
        RunSeconds(1);
        ASSERT_TRUE(In().alarm.AlarmRinging());
        host.log.clear();
    }
    void AlarmTick() { host.timers.Fire(In().timers.timerAlarm); }
    ::testing::AssertionResult Bell(int cell) {
        return ShowsCells(In().face.PicMisc(), {0}, icons, MapId::PicMapOpt, {cell});
    }
    const RgbImage icons = TintedMaster(MapId::PicMapOpt, kDefaultGreen);
};

TEST_F(AlarmTest, BrightAndDarkPhasesAlternate) {
    AlarmTick(); // bright
    EXPECT_EQ(In().text.Text1Shown(), ">>> ALARM <<<");
    EXPECT_TRUE(Bell(2));
    EXPECT_EQ(host.CallsStartingWith("sound."), (CallLog{"sound.PlayWave memory async nowait"}));
    const auto tone = host.resources.Load("SOUNDS", "ALARM"); // from the file written at the start
    EXPECT_TRUE(std::ranges::equal(host.sound.lastWave, tone));
    EXPECT_EQ(host.log.back(), "window.SetTopmost 1 1");
    host.log.clear();
    AlarmTick(); // dark
    EXPECT_EQ(In().text.Text1Shown(), ">>> 07:30 <<<");
    EXPECT_TRUE(Bell(1));
    EXPECT_EQ(host.CallsStartingWith("sound."), (CallLog{"sound.Stop"}));
    EXPECT_EQ(host.CallsStartingWith("window."), (CallLog{"window.SetTopmost 0 0"}));
}

// Space, Enter and Esc stop the ringing (Esc instead of closing the program), and so does a
// click; stopping is a quarter second of quiet and the window released.
TEST_F(AlarmTest, SpaceEnterEscAndClicksStopIt) {
    for (const Key key : {Key::Space, Key::Return, Key::Escape}) {
        EXPECT_EQ(Press(key), "ALARM STOP") << int(key);
        EXPECT_FALSE(In().alarm.AlarmRinging()) << int(key);
        EXPECT_EQ(CallLog(host.log.begin(), host.log.begin() + 3),
                  (CallLog{"sound.Stop", "sound.PlayWave VOICE1/~ sync", "window.SetTopmost 0 0"}))
            << int(key);
        Ring();
    }
    EXPECT_FALSE(clock->Ended());
    host.window.sink->OnMouseDown(kRightButton, 0, {300, 100});
    EXPECT_FALSE(In().alarm.AlarmRinging());
}

// Disarmed, the alarm tick goes dark and silent and the automatic end waits; while a time is
// typed the tick blinks the digit instead.
TEST_F(AlarmTest, DisarmingStopsTheRingingWorkButNotTheRinging) {
    In().settings.Alarm_Enabled = false;
    AlarmTick();
    AlarmTick();
    EXPECT_EQ(In().time.BellState(), 0);
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
    RunSeconds(400);
    EXPECT_TRUE(In().alarm.AlarmRinging());
    In().entry.Begin();
    AlarmTick();
    EXPECT_EQ(In().time.BellState(), 1);
}

// With the spoken alarm the time is due on every tenth second and said, with the alarm tones in
// front, at the next bright phase.
TEST_F(AlarmTest, SpokenAlarmIsDueEveryTenSeconds) {
    In().settings.Alarm_SagZeit = true;
    std::vector<int> dueSeconds;
    for (int i = 0; i < 25; ++i) {
        RunSeconds(1);
        if (In().alarm.AlarmSpeakDue()) {
            dueSeconds.push_back(host.clock.now.second);
            AlarmTick();
            if (In().time.BellState() == 0) {
                AlarmTick(); // the announcement waits for the bright phase
            }
            EXPECT_FALSE(In().alarm.AlarmSpeakDue());
        }
    }
    EXPECT_EQ(dueSeconds, (std::vector<int>{10, 20}));
    EXPECT_EQ(host.CallsStartingWith("sound.PlayWave memory async").size(), 2u);
    EXPECT_TRUE(host.CallsStartingWith("sound.PlayWave memory async nowait").empty());
}

} // namespace
} // namespace diglux::test
