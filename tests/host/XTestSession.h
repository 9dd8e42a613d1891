// Support for the host tests that need an X display ($DISPLAY, for example Xvfb with
// openbox): opening it for FLTK, running the X command-line tools, and letting the event
// loop run until something has happened.
#pragma once

#include <functional>
#include <string>

namespace diglux::test {

// True when the display could be opened; the tests skip otherwise.
bool XDisplayReady();

// Runs a shell command and returns what it printed on stdout.
std::string RunCommand(const std::string& command);

// Runs the event loop until condition holds or timeoutMs have passed; returns condition().
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

// Lets the event loop run for a while.
void PumpFor(int milliseconds);

} // namespace diglux::test

#define DIGLUX_REQUIRE_X_DISPLAY()                                                                 \
    do {                                                                                           \
        if (!::diglux::test::XDisplayReady()) {                                                    \
            GTEST_SKIP() << "needs an X display (DISPLAY)";                                        \
        }                                                                                          \
    } while (false)
