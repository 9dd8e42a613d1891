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

const std::string& GermanWeekdayUpper(int weekday) {
    static const std::array<std::string, 7> kNames{"SONNTAG",    "MONTAG",  "DIENSTAG", "MITTWOCH",
                                                   "DONNERSTAG", "FREITAG", "SAMSTAG"};
    return kNames[static_cast<std::size_t>(((weekday % 7) + 7) % 7)];
}

} // namespace diglux
