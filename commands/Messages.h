// The two fixed texts that scroll across the text line: the welcome text (greeting by the
// hour, version, release date, the most useful keys, the alarm) and the key help.
#pragma once

#include "app/ClockState.h"
#include "display/TextDisplay.h"

#include <string>

namespace diglux {

// The welcome text for the state's current time, with every "*" as code 127 (a triangle).
std::string StartMessage(const ClockState& state);
// The key help, with every "*" as code 127.
std::string HelpMessage();

void ShowStartMsg(TextDisplay& text, const ClockState& state);
void ShowHelpMsg(TextDisplay& text);

} // namespace diglux
