// Form timers: an interval, an enabled flag and a handler, all run on the window's thread.
#pragma once

#include <functional>

namespace diglux {

using TimerId = int;

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
};

} // namespace diglux
