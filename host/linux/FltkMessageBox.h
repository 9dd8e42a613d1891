// Modal message boxes drawn with FLTK: an icon, the text, and German buttons from left to
// right with a default button that Enter presses; Escape and the window's close button
// give the answer the box's kind allows.
#pragma once

#include "host/Desktop.h"

#include <vector>

namespace diglux {

struct MessageBoxButton {
    const char* label;
    MessageResult result;
};

// The buttons of a box, left to right.
std::vector<MessageBoxButton> MessageBoxButtonsFor(MessageButtons buttons);

// The answer when the box is closed without a button: Cancel where there is one, No for
// a yes/no box, OK for a box with only OK.
MessageResult MessageBoxClosedResult(MessageButtons buttons);

// Shows the box and runs the event loop until it is answered (timers keep running).
MessageResult RunMessageBox(const MessageBoxRequest& request);

} // namespace diglux
