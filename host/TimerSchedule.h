// The form timers' schedule, with no toolkit under it. Each enabled timer has a grid of due
// times, its interval apart, from the moment it was enabled; a tick that runs late keeps the
// grid unless it fell a whole interval behind, then the grid starts afresh from that moment.
// A timer given IdleTicks lets the loop sleep through the ticks that would change nothing:
// they are counted as run on their grid points (and reported to the timer), so that every
// tick that acts still runs at the grid point it would have run at with every tick run. The
// loop plans its sleep, catches up on waking, notes input, and runs what is due.
#pragma once

#include "host/TimerService.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace diglux {

class TimerSchedule final : public TimerService {
  public:
    using Time = std::chrono::nanoseconds; // on the loop's steady clock
    explicit TimerSchedule(std::function<Time()> now);
    ~TimerSchedule() override;
    TimerSchedule(const TimerSchedule&) = delete;
    TimerSchedule& operator=(const TimerSchedule&) = delete;

    TimerId CreateTimer(int intervalMs, std::function<void()> onTick) override;
    void SetEnabled(TimerId id, bool enabled) override;
    bool IsEnabled(TimerId id) const override;
    void SetIdleTicks(TimerId id, IdleTicks idle) override;
    void NoteEvent() override;

    // With false every tick runs, idle or not; true by default.
    void SkipIdleTicks(bool skip) { skipIdle_ = skip; }
    // When the loop must wake for the next tick that may act; the idle ticks before it are
    // planned to be slept through. Nothing while no timer runs.
    std::optional<Time> PlanSleep();
    // On waking: counts the planned idle ticks whose time has passed as run. Call it before
    // handling input, which the ticks it counts came before. True when it counted any.
    bool CatchUp();
    // Takes every due tick once, in the order the timers were created: runs it, or counts it
    // when it is idle. True when any tick came due.
    bool RunDue();
    // The earliest due tick, idle or not; for loops that do not plan their sleep.
    std::optional<Time> NextDue() const;

  private:
    struct Timer;
    Timer* Find(TimerId id) const;
    bool Runs(const Timer& timer) const;
    long IdleAhead(const Timer& timer, Time untilNext) const;

    std::function<Time()> now_;
    std::vector<std::unique_ptr<Timer>> timers_;
    std::optional<Time> plannedWake_;
    bool skipIdle_ = true;
};

} // namespace diglux
