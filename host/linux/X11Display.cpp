#include "host/linux/X11Display.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <array>
#include <cstdlib>

namespace diglux {

namespace {

// The atoms FLTK interns when it opens the display, one request and one wait each, and the
// ones the clock's own window requests use. Asked for together they cost one round trip;
// Xlib keeps the answers, so the later single requests never reach the server.
constexpr std::array<const char*, 43> kAtoms{"WM_DELETE_WINDOW",
                                             "WM_PROTOCOLS",
                                             "_MOTIF_WM_HINTS",
                                             "TARGETS",
                                             "CLIPBOARD",
                                             "TIMESTAMP",
                                             "PRIMARY_TIMESTAMP",
                                             "CLIPBOARD_TIMESTAMP",
                                             "XdndAware",
                                             "XdndSelection",
                                             "XdndEnter",
                                             "XdndTypeList",
                                             "XdndPosition",
                                             "XdndLeave",
                                             "XdndDrop",
                                             "XdndStatus",
                                             "XdndActionCopy",
                                             "XdndFinished",
                                             "text/uri-list",
                                             "text/plain;charset=UTF-8",
                                             "text/plain;charset=utf-8",
                                             "text/plain",
                                             "TEXT",
                                             "COMPOUND_TEXT",
                                             "UTF8_STRING",
                                             "image/bmp",
                                             "image/png",
                                             "INCR",
                                             "_NET_WM_PID",
                                             "_NET_WM_NAME",
                                             "_NET_WM_ICON_NAME",
                                             "_NET_SUPPORTING_WM_CHECK",
                                             "_NET_WM_STATE",
                                             "_NET_WM_STATE_FULLSCREEN",
                                             "_NET_WM_FULLSCREEN_MONITORS",
                                             "_NET_WORKAREA",
                                             "_NET_WM_ICON",
                                             "_NET_ACTIVE_WINDOW",
                                             "_NET_CLIENT_LIST",
                                             "_NET_CLOSE_WINDOW",
                                             "_NET_WM_STATE_ABOVE",
                                             "_NET_WM_STATE_SKIP_TASKBAR",
                                             "WM_STATE"};

void PreloadAtoms(Display* display) {
    std::array<char*, kAtoms.size()> names{};
    for (std::size_t i = 0; i < kAtoms.size(); ++i) {
        names[i] = const_cast<char*>(kAtoms[i]); // Xlib's signature; it does not write
    }
    std::array<Atom, kAtoms.size()> atoms{};
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
}

} // namespace

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
    PreloadAtoms(display);
    fl_open_display(display);
    return true;
}

} // namespace diglux
