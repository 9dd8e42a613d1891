// The borderless clock window as the platform shows it: its pixels come from a frame the
// core composes, its input goes to a ClockWindowEvents sink.
#pragma once

#include "HostTypes.h"
#include "Keys.h"

namespace diglux {

// Why the window is closing; the numbers are those the close handlers receive.
enum class UnloadReason {
    UserClose = 0,    // window menu, the window manager's close or Alt+F4
    ProgramClose = 1, // the program closes itself (Esc, close button)
    SessionEnd = 2,   // logoff, shutdown, SIGTERM or SIGHUP
    TaskManager = 3,  // another program asked the window to close
};

enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Input of the clock window, implemented by the core. Keys are the program's key enum; shift
// is the mask Shift 1, Ctrl 2, Alt 4. Pointer positions are client pixels.
class ClockWindowEvents {
  public:
    virtual ~ClockWindowEvents() = default;
    virtual void OnKeyDown(Key key, int shift) = 0;
    virtual void OnMouseDown(int button, int shift, Point client) = 0;
    virtual void OnMouseMove(int button, int shift, Point client) = 0;
    virtual void OnMouseUp(int button, int shift, Point client) = 0;
    // The window is asked to close; the core runs its shutdown and then calls Destroy().
    virtual void OnCloseRequest(UnloadReason reason) = 0;
};

class ClockWindowHost {
  public:
    virtual ~ClockWindowHost() = default;
    // Where input goes; null detaches.
    virtual void SetEventSink(ClockWindowEvents* sink) = 0;
    // The pixels the window shows, as big as the window. The frame must outlive the window.
    virtual void AttachFrame(const RgbImage* frame) = 0;
    // Pushes one area of the frame (client pixels) to the screen.
    virtual void Refresh(const Rect& area) = 0;
    // Moves the window's top-left corner, in logical units; the size stays.
    virtual void Move(double left, double top) = 0;
    // The window's rectangle on the screen, in pixels.
    virtual Rect ScreenRect() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    // Joins (onTop) or leaves the topmost band; activate raises and focuses as well.
    virtual void SetTopmost(bool onTop, bool activate) = 0;
    // Gives the window a taskbar button or takes it away.
    virtual void SetTaskbarButton(bool show) = 0;
    // Asks the platform to draw a shadow under the window, where it can.
    virtual void EnableDropShadow() = 0;
    // Closes the window for good; the program's event loop then ends.
    virtual void Destroy() = 0;
};

} // namespace diglux
