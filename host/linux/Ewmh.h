// The window-manager conventions (EWMH) the clock relies on, over Xlib: a window's
// _NET_WM_STATE, activation, the list of top-level windows, their names and close requests.
// Every request also works without a window manager, as far as X alone allows.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace diglux {

class Ewmh {
  public:
    explicit Ewmh(Display* display) : display_(display) {}

    // True when a window manager announces itself (_NET_SUPPORTING_WM_CHECK).
    bool WindowManagerRunning() const;

    // Whether the window's _NET_WM_STATE holds the named state ("_NET_WM_STATE_ABOVE").
    bool HasState(Window window, const char* state) const;
    // Adds or removes one state: asks the window manager when one runs, else edits the
    // property itself, keeping the other states.
    void SetState(Window window, const char* state, bool on) const;

    // Raises the window and gives it the keyboard focus.
    void Activate(Window window) const;

    // The managed top-level windows (_NET_CLIENT_LIST), or the root's children without a
    // window manager.
    std::vector<Window> TopLevelWindows() const;
    // The window's caption: _NET_WM_NAME (UTF-8), else WM_NAME; empty when it has none.
    std::string WindowName(Window window) const;
    // Asks the window to close, as the window manager's close button would.
    void RequestClose(Window window) const;

  private:
    Atom Intern(const char* name) const;
    std::vector<unsigned long> ReadList(Window window, const char* property, Atom type) const;
    std::string ReadText(Window window, Atom property, Atom type) const;
    void SendToRoot(Window window, const char* messageType, const long (&data)[5]) const;
    void EditStateProperty(Window window, Atom state, bool on) const;

    Display* display_;
};

} // namespace diglux
