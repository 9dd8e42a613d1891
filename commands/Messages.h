// The welcome text scrolled at start and the key-help text.
//
// Not yet written: both show nothing until the text display work lands (see DESIGN-NOTES.md,
// "Pending calls").
#pragma once

#include "app/ClockState.h"
#include "display/TextDisplay.h"

namespace diglux {

void ShowStartMsg(TextDisplay& text, const ClockState& state);
void ShowHelpMsg(TextDisplay& text, const ClockState& state);

} // namespace diglux
