// Calendar facts the clock needs, computed without the system locale: month lengths, the
// weekday of a date, its German name and the calendar week.
#pragma once

#include <string>

namespace diglux {

// 28 to 31 (proleptic Gregorian calendar).
int DaysInMonth(int year, int month);
// 0 Sunday, 1 Monday, ..., 6 Saturday (proleptic Gregorian calendar).
int DayOfWeek(int year, int month, int day);
// The week of the year with Monday as first day and week 1 holding the year's first
// Thursday (ISO 8601): 1 to 53.
int IsoWeek(int year, int month, int day);
// The program's own German weekday name in upper case ("MONTAG"); weekday as above.
const std::string& GermanWeekdayUpper(int weekday);

} // namespace diglux
