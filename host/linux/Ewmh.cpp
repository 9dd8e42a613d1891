#include "host/linux/Ewmh.h"

#include <X11/Xatom.h>

#include <algorithm>

namespace diglux {

namespace {

constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
// The source indication of a pager: window managers obey it without focus-stealing
// checks, which is what a ringing alarm needs.
constexpr long kSourcePager = 2;
constexpr long kMaxItems = 4096;

} // namespace

Atom Ewmh::Intern(const char* name) const {
    return XInternAtom(display_, name, False);
}

std::vector<unsigned long> Ewmh::ReadList(Window window, const char* property, Atom type) const {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display_, window, Intern(property), 0, kMaxItems, False, type,
                           &actualType, &actualFormat, &count, &remaining, &data) == Success &&
        actualType == type && actualFormat == 32 && data != nullptr) {
        // Xlib hands 32-bit items out as longs.
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return items;
}

std::string Ewmh::ReadText(Window window, Atom property, Atom type) const {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display_, window, property, 0, kMaxItems, False, type, &actualType,
                           &actualFormat, &count, &remaining, &data) == Success &&
        actualType == type && actualFormat == 8 && data != nullptr) {
        text.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

bool Ewmh::WindowManagerRunning() const {
    const Window root = DefaultRootWindow(display_);
    const auto check = ReadList(root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty()) {
        return false;
    }
    // A window manager that died leaves the property behind; its check window is gone then.
    const auto self = ReadList(check.front(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return !self.empty() && self.front() == check.front();
}

bool Ewmh::HasState(Window window, const char* state) const {
    const auto states = ReadList(window, "_NET_WM_STATE", XA_ATOM);
    return std::find(states.begin(), states.end(), Intern(state)) != states.end();
}

void Ewmh::SetState(Window window, const char* state, bool on) const {
    // With a window manager the request is sent even when the property already agrees: an
    // earlier request may still be on its way, and add or remove twice is harmless.
    if (!WindowManagerRunning()) {
        EditStateProperty(window, Intern(state), on);
        return;
    }
    const long data[5] = {on ? kStateAdd : kStateRemove, static_cast<long>(Intern(state)), 0,
                          kSourcePager, 0};
    SendToRoot(window, "_NET_WM_STATE", data);
}

void Ewmh::EditStateProperty(Window window, Atom state, bool on) const {
    // Keep the states others put there (FLTK marks borderless windows skip-taskbar).
    auto states = ReadList(window, "_NET_WM_STATE", XA_ATOM);
    std::erase(states, state);
    if (on) {
        states.push_back(state);
    }
    XChangeProperty(display_, window, Intern("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()),
                    static_cast<int>(states.size()));
    XFlush(display_);
}

void Ewmh::Activate(Window window) const {
    if (WindowManagerRunning()) {
        const long data[5] = {kSourcePager, CurrentTime, 0, 0, 0};
        SendToRoot(window, "_NET_ACTIVE_WINDOW", data);
        return;
    }
    XRaiseWindow(display_, window);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    }
    XFlush(display_);
}

std::vector<Window> Ewmh::TopLevelWindows() const {
    const Window root = DefaultRootWindow(display_);
    if (WindowManagerRunning()) {
        const auto clients = ReadList(root, "_NET_CLIENT_LIST", XA_WINDOW);
        return {clients.begin(), clients.end()};
    }
    Window rootReturn = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> windows;
    if (XQueryTree(display_, root, &rootReturn, &parent, &children, &count) != 0 &&
        children != nullptr) {
        windows.assign(children, children + count);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

std::string Ewmh::WindowName(Window window) const {
    std::string name = ReadText(window, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"));
    if (name.empty()) {
        name = ReadText(window, XA_WM_NAME, XA_STRING);
    }
    return name;
}

void Ewmh::RequestClose(Window window) const {
    if (WindowManagerRunning()) {
        const long data[5] = {CurrentTime, kSourcePager, 0, 0, 0};
        SendToRoot(window, "_NET_CLOSE_WINDOW", data);
        return;
    }
    // Without a window manager the close request goes to the window itself.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = Intern("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(Intern("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

void Ewmh::SendToRoot(Window window, const char* messageType, const long (&data)[5]) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = Intern(messageType);
    event.xclient.format = 32;
    std::copy(std::begin(data), std::end(data), event.xclient.data.l);
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
}

} // namespace diglux
