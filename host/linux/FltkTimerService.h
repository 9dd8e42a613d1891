// Form timers for the FLTK event loop, over the toolkit-free schedule. The service holds one
// FLTK timeout for the earliest due tick, so that timers run inside any FLTK loop (message
// boxes, letting pending events run). The clock's own idle loop (RunEventLoop) plans its
// sleep with the schedule, which leaves out the ticks that would change nothing, and runs
// due timers directly, which spares FLTK's bookkeeping on each wake-up. Enabling a disabled
// timer starts a fresh interval, as a form timer does.
#pragma once

#include "host/TimerSchedule.h"

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
    void SetIdleTicks(TimerId id, IdleTicks idle) override;
    void NoteEvent() override;

    // Takes every due tick once, in the order of creation (idle ones are only counted).
    void RunDue();
    // On waking from a planned sleep: counts the idle ticks slept through.
    void CatchUp();
    // Milliseconds until the next tick that may act (0 when one is due now); -1 when no
    // timer runs. The idle ticks before it are planned to be slept through.
    int PlanSleepMilliseconds();

  private:
    static void OnTimeout(void* service);
    // Points the one FLTK timeout at the earliest due tick (or removes it).
    void Rearm();

    TimerSchedule schedule_;
};

} // namespace diglux
