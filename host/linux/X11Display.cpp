#include "host/linux/X11Display.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <array>
#include <atomic>
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

std::atomic<bool> displayLost{false};

// Called by Xlib when the connection breaks. FLTK's own handler ends the process at once,
// which would lose the settings; this one notes the loss and takes FLTK's windows off its
// list of windows to draw: drawing on a broken connection is the one thing Xlib does not
// survive (its graphics contexts then write past their request buffer).
int NoteDisplayLost(Display* /*display*/) {
    displayLost = true;
    for (Fl_Window* window = Fl::first_window(); window != nullptr;
         window = Fl::next_window(window)) {
        window->clear_visible();
    }
    return 0;
}

// Called when the handler above returns. Returning from here (instead of exiting, Xlib's
// default) leaves the display marked as broken, and Xlib then answers every request without
// sending it, so the shutdown can run its steps and skip what needs the server.
void KeepRunningAfterDisplayLost(Display* /*display*/, void* /*data*/) {}

} // namespace

bool X11DisplayLost() {
    return displayLost;
}

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
    // After FLTK, which sets a handler of its own when it opens the display.
    XSetIOErrorHandler(NoteDisplayLost);
    XSetIOErrorExitHandler(display, KeepRunningAfterDisplayLost, nullptr);
    return true;
}

} // namespace diglux
