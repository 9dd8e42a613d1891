// SIGTERM and SIGHUP reach the event loop as one "session ends" call, never from inside
// the signal handler.
#include "host/linux/SessionEndSignals.h"
#include "host/linux/FltkEventPump.h"

#include <gtest/gtest.h>

#include <csignal>

namespace diglux {
namespace {

TEST(SessionEndSignals, SignalsArriveThroughTheEventLoopOnce) {
    int calls = 0;
    SessionEndSignals signals([&calls] { ++calls; });
    ASSERT_TRUE(signals.Installed());

    raise(SIGTERM);
    EXPECT_EQ(calls, 0) << "nothing may run inside the signal handler";
    FltkEventPump pump;
    pump.DoEvents();
    EXPECT_EQ(calls, 1);

    raise(SIGHUP);
    raise(SIGTERM);
    pump.DoEvents();
    EXPECT_EQ(calls, 1) << "the session ends only once";
}

TEST(SessionEndSignals, SighupAloneEndsTheSession) {
    int calls = 0;
    SessionEndSignals signals([&calls] { ++calls; });
    raise(SIGHUP);
    FltkEventPump pump;
    pump.DoEvents();
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace diglux
