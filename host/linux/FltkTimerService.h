// Form timers for the FLTK event loop. The service keeps each enabled timer's next due time
// itself and holds one FLTK timeout for the earliest, so that timers run inside any FLTK loop
// (message boxes, letting pending events run). The clock's own idle loop (RunEventLoop) asks
// for the next due time and runs due timers directly, which spares FLTK's bookkeeping on
// each of the ten wake-ups a second. Enabling a disabled timer starts a fresh interval, as a
// form timer does.
#pragma once

#include "host/TimerService.h"

#include <chrono>
#include <memory>
#include <vector>

namespace diglux {

class FltkTimerService final : public TimerService {
  public:
    FltkTimerService();
    ~FltkTimerService() override;
    FltkTimerService(const FltkTimerService&) = delete;
    FltkTimerService& operator=(const FltkTimerService&) = delete;

    TimerId CreateTimer(int intervalMs, std::function<void()> onTick) override;
    void SetEnabled(TimerId id, bool enabled) override;
    bool IsEnabled(TimerId id) const override;

    // Runs every enabled timer that is due, each at most once, in the order of creation.
    void RunDue();
    // Milliseconds until the next timer is due (0 when one is due now); -1 when none runs.
    int MillisecondsToNextDue() const;

  private:
    using Clock = std::chrono::steady_clock;
    struct Timer;
    static void OnTimeout(void* service);
    // Runs the due timers; true when one ran.
    bool RunDueTimers();
    Timer* Find(TimerId id) const;
    bool Runs(const Timer& timer) const;
    // Points the one FLTK timeout at the earliest due time (or removes it).
    void Rearm();

    std::vector<std::unique_ptr<Timer>> timers_;
};

} // namespace diglux
