// The alarm tick (every 500 ms): bell blink, tone or spoken time, banner.
//
// Not yet written: the tick changes nothing until the alarm work lands (see DESIGN-NOTES.md,
// "Pending calls"). The main tick already starts and ends the alarm.
#pragma once

#include "app/ClockState.h"

namespace diglux {

class AlarmTimer {
  public:
    explicit AlarmTimer(ClockState& state);
    void TimerAlarm_Timer();

  private:
    ClockState& state_;
};

} // namespace diglux
