#include "AlarmEntry.h"

#include <algorithm>

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

AlarmEntry::AlarmEntry(Settings& settings, TimeDisplay& time, TextDisplay& text, Desktop& desktop)
    : settings_(settings), time_(time), text_(text), desktop_(desktop) {}

// The digits follow Alarm.Time whenever it has its five characters (a non-digit counts as 0,
// as a numeric conversion gives); another length leaves the digits typed so far.
void AlarmEntry::TakeDigitsFromAlarmTime() {
    const std::string& alarm = settings_.Alarm_Time;
    if (alarm.size() != 5) {
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = alarm[i < 2 ? i : i + 1];
        digits_[i] = (c >= '0' && c <= '9') ? c - '0' : 0;
    }
}

void AlarmEntry::Redraw() {
    if (active_) {
        time_.SetAlarmEntry(AlarmEntryView{digits_, pos_});
    } else {
        time_.SetAlarmEntry(std::nullopt);
    }
    time_.Invalidate();
    time_.DrawTime();
}

void AlarmEntry::Begin() {
    pos_ = 0;
    active_ = true;
    alarmTimeBackup_ = settings_.Alarm_Time;
    TakeDigitsFromAlarmTime();
    Redraw();
    text_.ShowText1("ALARM EINGABE", Force::Yes);
}

void AlarmEntry::Leave() {
    active_ = false;
    time_.SetAlarmEntry(std::nullopt);
}

void AlarmEntry::End(const std::string& message) {
    active_ = false;
    Redraw();
    text_.ShowText1(message, Force::Yes);
}

void AlarmEntry::KeyDown(Key key) {
    TakeDigitsFromAlarmTime();
    const auto digitAt = [this](int pos) -> int& { return digits_[static_cast<std::size_t>(pos)]; };
    const int remembered = digitAt(pos_);
    if (const auto digit = DigitOf(key)) {
        digitAt(pos_) = *digit;
        if (pos_ < 3) {
            ++pos_;
        }
    }
    limits_[1] = digits_[0] >= 2 ? 3 : 9;

    if (key == Key::F10 || key == Key::Escape) {
        settings_.Alarm_Time = alarmTimeBackup_;
        End("ABGEBROCHEN");
        return;
    }
    if (key == Key::Return) {
        settings_.Alarm_Enabled = true;
        alarmTimeBackup_ = settings_.Alarm_Time;
        End("ALARM: " + settings_.Alarm_Time);
        return;
    }

    const int limit = limits_[static_cast<std::size_t>(pos_)];
    if (key == Key::Back || key == Key::Left) {
        pos_ = std::max(pos_ - 1, 0);
    } else if (key == Key::Right) {
        pos_ = std::min(pos_ + 1, 3);
    } else if (key == Key::Up) {
        digitAt(pos_) = digitAt(pos_) + 1 > limit ? 0 : digitAt(pos_) + 1;
    } else if (key == Key::Down) {
        digitAt(pos_) = digitAt(pos_) - 1 < 0 ? limit : digitAt(pos_) - 1;
    }
    // A refused digit takes back its value and the cursor step, with a beep.
    const auto refuse = [&](std::size_t place) {
        digits_[place] = remembered;
        pos_ = std::max(pos_ - 1, 0);
        desktop_.Beep();
    };
    if (digits_[0] > 2) {
        refuse(0);
    }
    if (digits_[0] >= 2 && digits_[1] >= 4) {
        digits_[1] = 0;
    }
    if (digits_[2] > limits_[2]) {
        refuse(2);
    }
    settings_.Alarm_Time = DigitsAsTime(digits_);
    Redraw();
}

} // namespace diglux
