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
#include <numeric>
#include <random>

namespace diglux::test {
namespace {

enum class Act { Key, HoverClose, PointerOver, PointerOff, Turn, HourlyRange, AlarmSoon, Stall };
struct Input {
    long long atMs;
    Act act;
    int value;
};

constexpr std::array<std::pair<Key, int>, 20> kKeys{{
    {Key::Space, 0}, {Key::Space, kShift}, {Key::D, 0},  {Key::F2, 0},     {Key::F9, 0},
    {Key::S, 0},     {Key::Z, 0},          {Key::K, 0},  {Key::T, 0},      {Key::C, 0},
    {Key::I, 0},     {Key::F5, 0},         {Key::F6, 0}, {Key::F2, kCtrl}, {Key::F10, 0},
    {Key::D1, 0},    {Key::D5, 0},         {Key::Up, 0}, {Key::Return, 0}, {Key::Space, kCtrl},
}};

// Keys most often; the pointer, the desktop and the settings now and then; stalls that skip
// seconds as a blocking sound does.
std::vector<Input> MakeInputs(unsigned seed, long long untilMs) {
    std::mt19937 random(seed);
    constexpr std::array kActs{Act::Key,         Act::Key,         Act::Key,        Act::Key,
                               Act::HoverClose,  Act::PointerOver, Act::PointerOff, Act::Turn,
                               Act::HourlyRange, Act::AlarmSoon,   Act::Stall};
    std::vector<Input> inputs;
    for (long long t = std::uniform_int_distribution(50, 30000)(random); t < untilMs;
         t += std::uniform_int_distribution(50, 30000)(random)) {
        inputs.push_back({t, kActs[random() % kActs.size()], static_cast<int>(random() % 1000)});
    }
    return inputs;
}

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
        host.window.onRefresh = [this](const Rect& r) { LogRefresh(r); };
        clock_ = std::make_unique<MainWindow>(host.Bundle(&schedule_));
        clock_->Load();
        Settings& s = clock_->Inside().settings;
        s.SagZeit = s.Signal = true;
    }

    void Run(const std::vector<Input>& inputs, long long untilMs) {
        auto next = inputs.begin();
        while (ms_ < untilMs) {
            const long long wake = schedule_.PlanSleep().value() / std::chrono::milliseconds(1);
            const long long input = next != inputs.end() ? next->atMs : untilMs;
            Advance(std::max(0LL, std::min(wake, input) - ms_));
            ++wakes;
            schedule_.CatchUp();
            if (next != inputs.end() && next->atMs <= ms_) {
                Apply(*next++);
            }
            schedule_.RunDue();
        }
        Stamp();
    }

    FakeHost host;
    long wakes = 0;

  private:
    void Apply(const Input& in) {
        Settings& s = clock_->Inside().settings;
        const Rect window = host.window.rect;
        const auto pointAt = [&](Point client) {
            host.desktop.pointer = {window.left + client.x, window.top + client.y};
            host.window.sink->OnMouseMove(0, 0, client);
        };
        switch (in.act) {
        case Act::Key:
            return host.window.sink->OnKeyDown(kKeys[in.value % kKeys.size()].first,
                                               kKeys[in.value % kKeys.size()].second);
        case Act::HoverClose:
            return pointAt({630, 8});
        case Act::PointerOver:
            return pointAt({100, 100});
        case Act::PointerOff: // gone without a word from the window, as when it moves fast
            host.desktop.pointer = {window.left + 700, window.top + 300};
            return;
        case Act::Turn:
            std::swap(host.desktop.desktop.width, host.desktop.desktop.height);
            std::swap(host.desktop.workArea.width, host.desktop.workArea.height);
            return;
        case Act::HourlyRange:
            s.SagZeit_Start = static_cast<std::int16_t>(in.value % 10);
            s.SagZeit_Ende = static_cast<std::int16_t>(s.SagZeit_Start + in.value % 7 + 2);
            s.SagZeit = in.value % 3 != 0;
            s.Signal = in.value % 5 != 0;
            return;
        case Act::AlarmSoon: {
            const LocalDateTime now = host.clock.now;
            const int minute = (now.hour * 60 + now.minute + 1 + in.value % 3) % 1440;
            s.Alarm_Time = TwoDigits(minute / 60) + ":" + TwoDigits(minute % 60);
            s.Alarm_Enabled = true;
            s.Alarm_SagZeit = in.value % 2 == 0;
            return;
        }
        case Act::Stall:
            return Advance(500 + in.value * 3);
        }
    }

    static std::string TwoDigits(int n) {
        return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    }

    void LogRefresh(const Rect& r) {
        std::uint64_t hash = 14695981039346656037ULL;
        for (int y = r.top; y < r.Bottom(); ++y) {
            const std::uint8_t* row = host.window.frame->Row(y) + r.left * 3;
            hash =
                std::accumulate(row, row + r.width * 3, hash, [](std::uint64_t h, std::uint8_t b) {
                    return (h ^ b) * 1099511628211ULL;
                });
        }
        host.log.push_back("window.Refresh " + std::to_string(r.left) + "," +
                           std::to_string(r.top) + " " + std::to_string(hash));
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

long Count(const CallLog& log, const std::string& part) {
    return std::count_if(log.begin(), log.end(),
                         [&](const std::string& e) { return e.find(part) != std::string::npos; });
}

TEST(IdleTicks, SleepingThroughThemChangesNoHostCallNorWhenItIsMade) {
    constexpr long long kRunMs = 3LL * 3600 * 1000;
    const std::vector<Input> inputs = MakeInputs(20261207, kRunMs);
    SimulatedRun everyTick(false);
    SimulatedRun idleSlept(true);
    everyTick.Run(inputs, kRunMs);
    idleSlept.Run(inputs, kRunMs);

    const CallLog& a = everyTick.host.log;
    const CallLog& b = idleSlept.host.log;
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    ASSERT_TRUE(ia == a.end() && ib == b.end())
        << "entry " << ia - a.begin() << " of " << a.size() << ": every tick run \""
        << (ia != a.end() ? *ia : "<end>") << "\", idle ticks slept \""
        << (ib != b.end() ? *ib : "<end>") << "\"";
    // What the stream must have reached for the comparison to mean something.
    EXPECT_GT(Count(a, "SOUNDS/PIEP"), 1) << "hourly signals";
    EXPECT_GT(Count(a, "SOUNDS/PLONG"), 2) << "turns of the desktop noticed by the tick";
    EXPECT_GT(Count(a, "window.SetTopmost 1 1"), 2) << "alarms ringing";
    EXPECT_GT(Count(a, "window.Refresh"), 2 * 3 * 3600) << "two redraws a second";
    EXPECT_LT(idleSlept.wakes * 3, everyTick.wakes) << idleSlept.wakes << " " << everyTick.wakes;
}

} // namespace
} // namespace diglux::test
