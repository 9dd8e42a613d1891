// Form timers: an interval, an enabled flag and a handler, all run on the window's thread.
#pragma once

#include <functional>
#include <limits>

namespace diglux {

using TimerId = int;

// The ticks of a timer that would change nothing. `count` says how many of the coming ticks
// are such, the first of them due in msToNextTick milliseconds (negative when overdue), the
// others intervalMs apart; 0 when the next one may act. A service that leaves such ticks out
// reports how many through `skipped` at once, so that counters kept by the handler stay what
// they would have been had the ticks run.
struct IdleTicks {
    std::function<long(double msToNextTick, double intervalMs)> count;
    std::function<void(long ticks)> skipped{};
};

// As many idle ticks as anyone can ask for: the timer has nothing to do until something else
// changes its state.
inline constexpr long kIdleForever = std::numeric_limits<long>::max() / 2;
// A tick due this close to a change of the clock it waits for is not counted as idle: a tick
// may run a little late, and the wall clock may drift against the timers' clock.
inline constexpr double kIdleMarginMs = 2.0;

class TimerService {
  public:
    virtual ~TimerService() = default;
    // Creates a disabled timer; the handler runs every intervalMs while enabled.
    virtual TimerId CreateTimer(int intervalMs, std::function<void()> onTick) = 0;
    // Enabling a disabled timer starts its interval anew; enabling an enabled one changes
    // nothing. Unknown ids are ignored.
    virtual void SetEnabled(TimerId id, bool enabled) = 0;
    // False for unknown ids.
    virtual bool IsEnabled(TimerId id) const = 0;
    // Tells the service which of the timer's ticks it may leave out; a service that runs every
    // tick ignores it.
    virtual void SetIdleTicks(TimerId /*id*/, IdleTicks /*idle*/) {}
    // Input or another outside event arrived: the next tick of every timer runs.
    virtual void NoteEvent() {}
};

} // namespace diglux
