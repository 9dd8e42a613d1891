// Times of day: seconds since midnight, and reading "HH:MM[:SS]" texts (the stored alarm
// time) into them.
#pragma once

#include "host/HostTypes.h"

#include <optional>
#include <string>

namespace diglux {

// Seconds since midnight of the time part.
int SecondsOfDay(const LocalDateTime& time);
// "7:30", "07:30" or "07:30:15" as seconds since midnight; empty when it is no time of day.
std::optional<int> ParseTimeOfDay(const std::string& text);

} // namespace diglux
