// The alarm-time entry: the four digits of the alarm time typed on the big display, with the
// cursor keys, the digit limits (hours up to 23, minute tens up to 5) and a beep for a refused
// digit. Alarm.Time follows every key; Enter confirms, Esc or F10 cancels. The entry owns its
// digits and cursor and shows them through the time display.
#pragma once

#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "host/Desktop.h"
#include "host/Keys.h"
#include "model/Settings.h"

#include <array>
#include <string>

namespace diglux {

class AlarmEntry {
  public:
    AlarmEntry(Settings& settings, TimeDisplay& time, TextDisplay& text, Desktop& desktop);

    bool AlarmEntryMode() const { return active_; }
    // F10: starts typing at the first digit.
    void Begin();
    // Every key without a modifier while the entry runs.
    void KeyDown(Key key);
    // Ends the entry without drawing (the clock is closing).
    void Leave();

  private:
    void TakeDigitsFromAlarmTime();
    void Redraw();
    void End(const std::string& message);

    Settings& settings_;
    TimeDisplay& time_;
    TextDisplay& text_;
    Desktop& desktop_;
    bool active_ = false;
    std::array<int, 4> digits_{0, 0, 0, 0};
    int pos_ = 0;
    std::array<int, 4> limits_{2, 9, 5, 9}; // the highest value of each digit
    std::string alarmTimeBackup_;
};

} // namespace diglux
