#include "Calendar.h"

#include <array>

namespace diglux {

int DayOfWeek(int year, int month, int day) {
    // Sakamoto's method.
    static constexpr std::array<int, 12> kMonthOffset{0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) {
        year -= 1;
    }
    const int value = year + year / 4 - year / 100 + year / 400 +
                      kMonthOffset[static_cast<std::size_t>(month - 1)] + day;
    return ((value % 7) + 7) % 7;
}

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DayOfYear(int year, int month, int day) {
    static constexpr std::array<int, 12> kBefore{0,   31,  59,  90,  120, 151,
                                                 181, 212, 243, 273, 304, 334};
    return kBefore[static_cast<std::size_t>(month - 1)] + day +
           (month > 2 && IsLeapYear(year) ? 1 : 0);
}

int WeeksInYear(int year) {
    // A year has 53 weeks when it starts on a Thursday, or on a Wednesday in a leap year.
    const int jan1 = DayOfWeek(year, 1, 1);
    return jan1 == 4 || (jan1 == 3 && IsLeapYear(year)) ? 53 : 52;
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

int IsoWeek(int year, int month, int day) {
    const int isoWeekday = (DayOfWeek(year, month, day) + 6) % 7 + 1; // Monday 1 .. Sunday 7
    const int week = (DayOfYear(year, month, day) - isoWeekday + 10) / 7;
    if (week < 1) {
        return WeeksInYear(year - 1);
    }
    if (week > WeeksInYear(year)) {
        return 1;
    }
    return week;
}

const std::string& GermanWeekdayUpper(int weekday) {
    static const std::array<std::string, 7> kNames{"SONNTAG",    "MONTAG",  "DIENSTAG", "MITTWOCH",
                                                   "DONNERSTAG", "FREITAG", "SAMSTAG"};
    return kNames[static_cast<std::size_t>(((weekday % 7) + 7) % 7)];
}

} // namespace diglux
