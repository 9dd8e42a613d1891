// Time-of-day texts: "HH:NN:SS" for a time, and reading "HH:MM[:SS]" back into seconds.
#pragma once

#include "host/HostTypes.h"

#include <optional>
#include <string>

namespace diglux {

// "09:05:07"
std::string FormatTimeOfDay(const LocalDateTime& time);
// Seconds since midnight of the time part.
int SecondsOfDay(const LocalDateTime& time);
// "7:30", "07:30" or "07:30:15" as seconds since midnight; empty when it is no time of day.
std::optional<int> ParseTimeOfDay(const std::string& text);

} // namespace diglux
