// The clock run twice on the fake host through the same simulated hours and the same seeded
// input: once with every timer tick run, once with the idle ticks slept through as the event
// loop does. Every host call, and the millisecond it was made at, must be the same.
#include "app/MainWindow.h"
#include "app/MainWindowParts.h"
#include "host/TimerSchedule.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>

namespace diglux::test {
namespace {

constexpr std::array<std::pair<Key, int>, 20> kKeys{{
    {Key::Space, 0}, {Key::Space, kShift}, {Key::D, 0},  {Key::F2, 0},     {Key::F9, 0},
    {Key::S, 0},     {Key::Z, 0},          {Key::K, 0},  {Key::T, 0},      {Key::C, 0},
    {Key::I, 0},     {Key::F5, 0},         {Key::F6, 0}, {Key::F2, kCtrl}, {Key::F10, 0},
    {Key::D1, 0},    {Key::D5, 0},         {Key::Up, 0}, {Key::Return, 0}, {Key::Space, kCtrl},
}};

class SimulatedRun {
  public:
    explicit SimulatedRun(bool skipIdle) {
        schedule_.SkipIdleTicks(skipIdle);
        host.clock.now = {2024, 3, 1, 8, 59, 40};
        host.clock.onSleep = [this](int ms) { Advance(ms); };
        host.sound.onPlay = [this](std::span<const std::uint8_t> wave, SoundFlags flags) {
            if (!flags.async && wave.size() > 44) { // blocks for as long as it plays
                const long byteRate = wave[28] | wave[29] << 8 | wave[30] << 16;
                Advance(static_cast<long long>(wave.size() - 44) * 1000 / byteRate);
            }
        };
        host.window.onRefresh = [this](const Rect& r) {
            std::string pixels;
            for (int y = r.top; y < r.Bottom(); ++y) {
                pixels.append(reinterpret_cast<const char*>(host.window.frame->Row(y)) + r.left * 3,
                              static_cast<std::size_t>(r.width) * 3);
            }
            host.log.push_back("window.Refresh " + std::to_string(r.left) + "," +
                               std::to_string(r.top) + " " +
                               std::to_string(std::hash<std::string>{}(pixels)));
        };
        clock_ = std::make_unique<MainWindow>(host.Bundle(&schedule_));
        clock_->Load();
        Settings& s = clock_->Inside().settings;
        s.SagZeit = s.Signal = true;
    }

    // Input comes 50 ms to 30 s apart: keys most often; the pointer, the desktop and the
    // settings now and then; stalls that skip seconds as a blocking sound does.
    void Run(unsigned seed, long long untilMs) {
        std::mt19937 random(seed);
        const auto gap = [&random] { return std::uniform_int_distribution(50, 30000)(random); };
        for (long long input = gap(); ms_ < untilMs;) {
            const long long wake = schedule_.PlanSleep().value() / std::chrono::milliseconds(1);
            Advance(std::max(0LL, std::min(wake, input) - ms_));
            ++wakes;
            schedule_.CatchUp();
            if (input <= ms_) {
                const auto act = static_cast<int>(random() % 11);
                Apply(std::max(act - 3, 0), static_cast<int>(random() % 1000));
                input += gap();
            }
            schedule_.RunDue();
        }
        Stamp();
    }

    FakeHost host;
    long wakes = 0;

  private:
    void Apply(int act, int value) {
        Settings& s = clock_->Inside().settings;
        const Rect window = host.window.rect;
        const auto pointAt = [&](Point client) {
            host.desktop.pointer = {window.left + client.x, window.top + client.y};
            host.window.sink->OnMouseMove(0, 0, client);
        };
        const LocalDateTime now = host.clock.now;
        const int alarmMinute = (now.hour * 60 + now.minute + 1 + value % 3) % 1440;
        std::array<char, 8> alarm{};
        switch (act) {
        case 0:
            return host.window.sink->OnKeyDown(kKeys[value % kKeys.size()].first,
                                               kKeys[value % kKeys.size()].second);
        case 1: // over the close button
            return pointAt({630, 8});
        case 2:
            return pointAt({100, 100});
        case 3: // gone without a word from the window, as when it moves fast
            host.desktop.pointer = {window.left + 700, window.top + 300};
            return;
        case 4: // the desktop turns
            std::swap(host.desktop.desktop.width, host.desktop.desktop.height);
            std::swap(host.desktop.workArea.width, host.desktop.workArea.height);
            return;
        case 5: // the hourly range, the signal and the announcement changed behind its back
            s.SagZeit_Start = static_cast<std::int16_t>(value % 10);
            s.SagZeit_Ende = static_cast<std::int16_t>(s.SagZeit_Start + value % 7 + 2);
            s.SagZeit = value % 3 != 0;
            s.Signal = value % 5 != 0;
            return;
        case 6: // an alarm one to three minutes ahead, spoken or with its tone
            std::snprintf(alarm.data(), alarm.size(), "%02d:%02d", alarmMinute / 60,
                          alarmMinute % 60);
            s.Alarm_Time = alarm.data();
            s.Alarm_Enabled = true;
            s.Alarm_SagZeit = value % 2 == 0;
            return;
        default: // the process stalls
            return Advance(500 + value * 3);
        }
    }

    // Moves both clocks on; what was logged until now is marked with the time it happened.
    void Advance(long long ms) {
        Stamp();
        const long long to = ms_ + ms;
        host.clock.AdvanceSeconds(static_cast<int>(to / 1000 - ms_ / 1000));
        host.clock.fraction = static_cast<double>(to % 1000) / 1000;
        ms_ = to;
    }
    void Stamp() {
        for (; stamped_ < host.log.size(); ++stamped_) {
            host.log[stamped_] = std::to_string(ms_) + " " + host.log[stamped_];
        }
    }

    long long ms_ = 0;
    std::size_t stamped_ = 0;
    TimerSchedule schedule_{[this] { return std::chrono::milliseconds(ms_); }};
    std::unique_ptr<MainWindow> clock_;
};

// The grid: enabling starts it afresh (an enabled timer keeps it, from its handler too); a tick
// that runs late keeps it unless a whole interval was lost; a disabled timer is silent.
TEST(TimerSchedule, EnablingStartsTheGridAndOnlyATickAWholeIntervalLateMovesIt) {
    long long ms = 0;
    std::vector<long long> ticks;
    TimerSchedule timers([&ms] { return std::chrono::milliseconds(ms); });
    TimerId id = 0;
    id = timers.CreateTimer(100, [&] { ticks.push_back(ms), timers.SetEnabled(id, true); });
    timers.CreateTimer(30, [&ticks] { ticks.push_back(-1); });
    timers.SetEnabled(id, true);
    for (const long long at : {50, 100, 260, 300, 450, 470, 500, 610, 700, 900, 970, 1000}) {
        ms = at;
        timers.SetEnabled(id, at != 450); // off and on again at 470: due at 570
        timers.RunDue();
    }
    EXPECT_EQ(ticks, (std::vector<long long>{100, 260, 300, 610, 700, 900, 1000}));
}

TEST(IdleTicks, SleepingThroughThemChangesNoHostCallNorWhenItIsMade) {
    constexpr long long kRunMs = 3LL * 3600 * 1000;
    SimulatedRun everyTick(false);
    SimulatedRun idleSlept(true);
    everyTick.Run(20261207, kRunMs);
    idleSlept.Run(20261207, kRunMs);

    const CallLog& a = everyTick.host.log;
    const CallLog& b = idleSlept.host.log;
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    ASSERT_TRUE(ia == a.end() && ib == b.end())
        << "entry " << ia - a.begin() << " of " << a.size() << ": every tick run \""
        << (ia != a.end() ? *ia : "<end>") << "\", idle ticks slept \""
        << (ib != b.end() ? *ib : "<end>") << "\"";
    // What the stream must have reached for the comparison to mean something.
    const auto count = [&a](const std::string& part) {
        return std::count_if(a.begin(), a.end(), [&](auto& e) { return e.find(part) != e.npos; });
    };
    EXPECT_GT(count("SOUNDS/PIEP"), 1) << "hourly signals";
    EXPECT_GT(count("SOUNDS/PLONG"), 2) << "turns of the desktop noticed by the tick";
    EXPECT_GT(count("window.SetTopmost 1 1"), 2) << "alarms ringing";
    EXPECT_GT(count("window.Refresh"), 2 * 3 * 3600) << "two redraws a second";
    EXPECT_LT(idleSlept.wakes * 3, everyTick.wakes) << idleSlept.wakes << " " << everyTick.wakes;
}

} // namespace
} // namespace diglux::test
