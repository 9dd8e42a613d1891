// Opens the X display named by $DISPLAY and hands it to FLTK. A missing or unreachable
// display is reported as one line of text instead of ending inside the toolkit, and a display
// that goes away later (the X server ended or crashed) no longer ends the process inside
// Xlib: every later request quietly does nothing, and X11DisplayLost() tells the clock to shut
// down in order, so that its settings are still written.
#pragma once

#include <string>

namespace diglux {

// True when the display is open (also when it already was); otherwise error says why,
// for example "cannot open display :99".
bool OpenX11Display(std::string& error);

// True once the connection to the X server has broken.
bool X11DisplayLost();

} // namespace diglux
