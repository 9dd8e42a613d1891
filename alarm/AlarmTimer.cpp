#include "AlarmTimer.h"

namespace diglux {

AlarmTimer::AlarmTimer(ClockState& state) : state_(state) {}

// Pending: the ringing work comes with the alarm work.
void AlarmTimer::TimerAlarm_Timer() {}

} // namespace diglux
