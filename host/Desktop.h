// The desktop around the clock: its size, the taskbar, the pointer, the display's colour
// depth, message boxes, the beep, and other programs' windows by caption.
#pragma once

#include "HostTypes.h"

#include <string>

namespace diglux {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
    std::string text;  // UTF-8; "\r\n" or "\n" break lines
    std::string title; // UTF-8
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    int defaultButton = 1; // 1-based, left to right
};

class Desktop {
  public:
    virtual ~Desktop() = default;
    // The whole desktop in pixels; it starts at 0, 0.
    virtual Rect DesktopRect() const = 0;
    // The desktop without taskbars and panels, in pixels.
    virtual Rect WorkArea() const = 0;
    // The pointer in screen pixels.
    virtual Point PointerPosition() const = 0;
    // Colour planes and bits per pixel of the display; both 0 when unknown.
    virtual int ColorPlanes() const = 0;
    virtual int BitsPerPixel() const = 0;
    // Logical window units per pixel in x and y (1 where windows are placed in pixels).
    virtual double UnitsPerPixelX() const = 0;
    virtual double UnitsPerPixelY() const = 0;
    // Shows a modal box and waits for the answer; Cancel (or No) when it cannot be shown.
    virtual MessageResult ShowMessageBox(const MessageBoxRequest& request) = 0;
    virtual void Beep() = 0;
    // True when a top-level window with exactly this caption exists.
    virtual bool WindowWithCaptionExists(const std::string& caption) const = 0;
    // Asks every top-level window with this caption to close; false when none was found.
    virtual bool CloseWindowWithCaption(const std::string& caption) = 0;
};

} // namespace diglux
