// Form timers on FLTK timeouts: each enabled timer owns one repeating timeout on the event
// loop's thread. Enabling a disabled timer starts a fresh interval, as a form timer does.
#pragma once

#include "host/TimerService.h"

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

  private:
    struct Timer;
    static void OnTimeout(void* timer);
    Timer* Find(TimerId id) const;

    // Timers are never removed, so the addresses FLTK holds stay valid.
    std::vector<std::unique_ptr<Timer>> timers_;
};

} // namespace diglux
