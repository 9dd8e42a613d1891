// Reads the texts that callers hand to the voice player: a date ("01.03.2022", "1.3.2022" or
// "2022-03-01"), a time of day ("21:07" or "21:07:01"), or a date, blanks and a time.
#pragma once

#include "host/HostTypes.h"

#include <optional>
#include <string>

namespace diglux {

// The date and time in the text; a text without a date gets the zero date (30.12.1899), one
// without a time gets midnight. Empty when the text is neither.
std::optional<LocalDateTime> ReadWhenText(const std::string& text);
// "01.03.2022"
std::string FormatShortDate(const LocalDateTime& date);

} // namespace diglux
