// The real FLTK event loop (no display needed). Timers: ticks while enabled, silence while
// disabled, a fresh interval on enabling, none on enabling twice. SIGTERM and SIGHUP reach
// the loop as one "session ends" call, never from inside the signal handler.
#include "host/linux/FltkTimerService.h"
#include "host/linux/SessionEndSignals.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

namespace diglux {
namespace {

using test::PumpFor;

TEST(FltkTimerService, TicksOnlyWhileEnabled) {
    FltkTimerService timers;
    int ticks = 0;
    const TimerId id = timers.CreateTimer(50, [&ticks] { ++ticks; });
    PumpFor(150);
    EXPECT_EQ(ticks, 0) << "a new timer starts disabled";

    timers.SetEnabled(id, true);
    PumpFor(290);
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 6);

    timers.SetEnabled(id, false);
    const int ticksWhenDisabled = ticks;
    PumpFor(150);
    EXPECT_EQ(ticks, ticksWhenDisabled);
}

TEST(FltkTimerService, EnablingADisabledTimerStartsAFreshIntervalAnEnabledOneKeepsItsSchedule) {
    FltkTimerService timers;
    int restartedTicks = 0;
    int keptTicks = 0;
    const TimerId restarted = timers.CreateTimer(400, [&] { ++restartedTicks; });
    const TimerId kept = timers.CreateTimer(400, [&] { ++keptTicks; });
    timers.SetEnabled(restarted, true);
    timers.SetEnabled(kept, true);
    PumpFor(250);
    timers.SetEnabled(restarted, false);
    timers.SetEnabled(restarted, true); // the next tick is now due at 650 ms, not 400 ms
    timers.SetEnabled(kept, true);
    PumpFor(250);
    EXPECT_EQ(restartedTicks, 0);
    EXPECT_EQ(keptTicks, 1);
    PumpFor(300);
    EXPECT_EQ(restartedTicks, 1);
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
    PumpFor(200);
    EXPECT_EQ(stopperTicks, 1);
    EXPECT_FALSE(timers.IsEnabled(stopper));
    EXPECT_GE(restarterTicks, 3) << "a restart from the handler must not lose the timer";
    EXPECT_TRUE(timers.IsEnabled(restarter));
}

TEST(SessionEndSignals, EachSignalArrivesThroughTheEventLoopOnce) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        int calls = 0;
        SessionEndSignals signals([&calls] { ++calls; });
        ASSERT_TRUE(signals.Installed());
        raise(signal);
        EXPECT_EQ(calls, 0) << "nothing may run inside the signal handler";
        FltkEventPump pump;
        pump.DoEvents();
        EXPECT_EQ(calls, 1) << signal;

        raise(SIGHUP);
        raise(SIGTERM);
        pump.DoEvents();
        EXPECT_EQ(calls, 1) << "the session ends only once";
    }
}

} // namespace
} // namespace diglux
