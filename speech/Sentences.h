// German sentences for a time of day and a calendar date, in two forms: whole words for the
// text display, or fragments with "-" and "~" pause words for the voice player.
#pragma once

#include "host/Clock.h"
#include "host/HostTypes.h"

#include <optional>
#include <string>

namespace diglux {

// The start of the date scale (30 December 1899): a value that carries only a time of day
// has this date, and the date sentence says today's date for it.
inline constexpr LocalDateTime kZeroDate{1899, 12, 30, 0, 0, 0};

// "Es ist ein Uhr eins." for the time of day of when.
std::string ZeitInWorten(const LocalDateTime& when, bool withSeconds, bool keepHyphens, bool pauses,
                         bool keepUn);
// The same for the current time when no time is given.
std::string ZeitInWorten(const std::optional<LocalDateTime>& when, const Clock& clock,
                         bool withSeconds, bool keepHyphens, bool pauses, bool keepUn);
// The time of day "HH:MM[:SS]" as a sentence; empty when the text is no time of day.
std::string ZeitInWorten(const std::string& timeText, bool withSeconds, bool keepHyphens,
                         bool pauses, bool keepUn);

// "Heute ist Dienstag, der erste März zweitausendzweiundzwanzig." for the date of when.
std::string DatumInWorten(const LocalDateTime& when, bool withWeekday, bool keepHyphens,
                          bool pauses, bool keepUn);
// The same for today when no date is given or it is the zero date.
std::string DatumInWorten(const std::optional<LocalDateTime>& when, const Clock& clock,
                          bool withWeekday, bool keepHyphens, bool pauses, bool keepUn);

} // namespace diglux
