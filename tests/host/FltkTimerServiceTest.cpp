// Timer semantics on the real FLTK event loop (no display needed): ticks while enabled,
// silence while disabled, a fresh interval on enabling, none on enabling twice.
#include "host/linux/FltkTimerService.h"
#include "host/linux/FltkEventPump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace diglux {
namespace {

// Lets the event loop run for the given time.
void RunLoopFor(int milliseconds) {
    FltkEventPump pump;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        pump.DoEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TEST(FltkTimerService, TicksOnlyWhileEnabled) {
    FltkTimerService timers;
    int ticks = 0;
    const TimerId id = timers.CreateTimer(50, [&ticks] { ++ticks; });
    EXPECT_FALSE(timers.IsEnabled(id));
    RunLoopFor(150);
    EXPECT_EQ(ticks, 0) << "a new timer starts disabled";

    timers.SetEnabled(id, true);
    EXPECT_TRUE(timers.IsEnabled(id));
    RunLoopFor(290);
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 6);

    timers.SetEnabled(id, false);
    const int ticksWhenDisabled = ticks;
    RunLoopFor(150);
    EXPECT_EQ(ticks, ticksWhenDisabled);
}

TEST(FltkTimerService, EnablingADisabledTimerStartsAFreshInterval) {
    FltkTimerService timers;
    int ticks = 0;
    const TimerId id = timers.CreateTimer(400, [&ticks] { ++ticks; });
    timers.SetEnabled(id, true);
    RunLoopFor(250);
    timers.SetEnabled(id, false);
    timers.SetEnabled(id, true); // the next tick is now due at 650 ms, not 400 ms
    RunLoopFor(250);
    EXPECT_EQ(ticks, 0);
    RunLoopFor(300);
    EXPECT_EQ(ticks, 1);
}

TEST(FltkTimerService, EnablingAnEnabledTimerKeepsItsSchedule) {
    FltkTimerService timers;
    int ticks = 0;
    const TimerId id = timers.CreateTimer(400, [&ticks] { ++ticks; });
    timers.SetEnabled(id, true);
    RunLoopFor(250);
    timers.SetEnabled(id, true);
    RunLoopFor(250);
    EXPECT_EQ(ticks, 1);
}

TEST(FltkTimerService, AHandlerMayStopOrRestartItsOwnTimer) {
    FltkTimerService timers;
    int stopperTicks = 0;
    int restarterTicks = 0;
    TimerId stopper = 0;
    TimerId restarter = 0;
    stopper = timers.CreateTimer(30, [&] {
        ++stopperTicks;
        timers.SetEnabled(stopper, false);
    });
    restarter = timers.CreateTimer(30, [&] {
        ++restarterTicks;
        timers.SetEnabled(restarter, false);
        timers.SetEnabled(restarter, true);
    });
    timers.SetEnabled(stopper, true);
    timers.SetEnabled(restarter, true);
    RunLoopFor(200);
    EXPECT_EQ(stopperTicks, 1);
    EXPECT_FALSE(timers.IsEnabled(stopper));
    EXPECT_GE(restarterTicks, 3) << "a restart from the handler must not lose the timer";
    EXPECT_TRUE(timers.IsEnabled(restarter));
}

TEST(FltkTimerService, UnknownIdsAndZeroIntervalsAreHarmless) {
    FltkTimerService timers;
    int ticks = 0;
    const TimerId silent = timers.CreateTimer(0, [&ticks] { ++ticks; });
    timers.SetEnabled(silent, true);
    EXPECT_TRUE(timers.IsEnabled(silent));
    timers.SetEnabled(0, true);
    timers.SetEnabled(silent + 1, true);
    EXPECT_FALSE(timers.IsEnabled(0));
    EXPECT_FALSE(timers.IsEnabled(silent + 1));
    RunLoopFor(60);
    EXPECT_EQ(ticks, 0);
}

TEST(FltkTimerService, DestroyingTheServiceStopsItsTimers) {
    int ticks = 0;
    {
        FltkTimerService timers;
        timers.SetEnabled(timers.CreateTimer(20, [&ticks] { ++ticks; }), true);
    }
    RunLoopFor(80);
    EXPECT_EQ(ticks, 0);
}

} // namespace
} // namespace diglux
