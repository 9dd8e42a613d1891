// Opens the X display named by $DISPLAY and hands it to FLTK. A missing or unreachable
// display is reported as one line of text instead of ending inside the toolkit.
#pragma once

#include <string>

namespace diglux {

// True when the display is open (also when it already was); otherwise error says why,
// for example "cannot open display :99".
bool OpenX11Display(std::string& error);

} // namespace diglux
