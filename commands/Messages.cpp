#include "Messages.h"

namespace diglux {

// Pending: the texts come with the text display work.
void ShowStartMsg(TextDisplay&, const ClockState&) {}
void ShowHelpMsg(TextDisplay&, const ClockState&) {}

} // namespace diglux
