// The alarm-time entry: the four digits of the alarm time typed on the big display, with the
// cursor keys, the digit limits (hours up to 23, minute tens up to 5) and a beep for a
// refused digit. Alarm.Time follows every key; Enter confirms, Esc or F10 cancels.
#include "KeyCommands.h"

namespace diglux {
namespace {

std::string DigitsAsTime(const std::array<int, 4>& d) {
    std::string text;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i == 2) {
            text += ':';
        }
        text += static_cast<char>('0' + d[i]);
    }
    return text;
}

} // namespace

void KeyCommands::AlarmEntryKey(Key key) {
    ClockState& s = p_.state;
    auto& digits = s.EntryDigits;
    auto& limits = s.DigitLimits;
    const auto digitAt = [&](int pos) -> int& { return digits[static_cast<std::size_t>(pos)]; };
    const int remembered = digitAt(s.EntryPos);
    if (const auto digit = DigitOf(key)) {
        digitAt(s.EntryPos) = *digit;
        if (s.EntryPos < 3) {
            ++s.EntryPos;
        }
    }
    limits[1] = digits[0] >= 2 ? 3 : 9;

    if (key == Key::F10 || key == Key::Escape) {
        s.Alarm_Time = s.AlarmTimeBackup;
        s.AlarmEntryMode = false;
        s.DisplayValid = false;
        p_.time.DrawTime();
        Message("ABGEBROCHEN");
        return;
    }
    if (key == Key::Return) {
        s.Alarm_Enabled = true;
        s.AlarmEntryMode = false;
        s.AlarmTimeBackup = s.Alarm_Time;
        s.DisplayValid = false;
        p_.time.DrawTime();
        Message("ALARM: " + s.Alarm_Time);
        return;
    }

    const int limit = limits[static_cast<std::size_t>(s.EntryPos)];
    if (key == Key::Back || key == Key::Left) {
        s.EntryPos = std::max(s.EntryPos - 1, 0);
    } else if (key == Key::Right) {
        s.EntryPos = std::min(s.EntryPos + 1, 3);
    } else if (key == Key::Up) {
        digitAt(s.EntryPos) = digitAt(s.EntryPos) + 1 > limit ? 0 : digitAt(s.EntryPos) + 1;
    } else if (key == Key::Down) {
        digitAt(s.EntryPos) = digitAt(s.EntryPos) - 1 < 0 ? limit : digitAt(s.EntryPos) - 1;
    }
    // A refused digit takes back its value and the cursor step, with a beep.
    const auto refuse = [&](std::size_t place) {
        digits[place] = remembered;
        s.EntryPos = std::max(s.EntryPos - 1, 0);
        p_.desktop.Beep();
    };
    if (digits[0] > 2) {
        refuse(0);
    }
    if (digits[0] >= 2 && digits[1] >= 4) {
        digits[1] = 0;
    }
    if (digits[2] > limits[2]) {
        refuse(2);
    }
    s.Alarm_Time = DigitsAsTime(digits);
    s.DisplayValid = false;
    p_.time.DrawTime();
}

} // namespace diglux
