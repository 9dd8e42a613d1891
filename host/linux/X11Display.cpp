#include "host/linux/X11Display.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdlib>

namespace diglux {

bool OpenX11Display(std::string& error) {
    if (fl_display != nullptr) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') {
        error = "cannot open display: DISPLAY is not set";
        return false;
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        error = std::string("cannot open display ") + name;
        return false;
    }
    fl_open_display(display);
    return true;
}

} // namespace diglux
