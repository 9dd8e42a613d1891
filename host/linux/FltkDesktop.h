// The X11 desktop through FLTK and Xlib: screen 0 and its work area (the taskbar is the
// strip between them), the pointer, the visual's depth, message boxes, the bell, and other
// programs' top-level windows found by caption through the window manager's client list.
#pragma once

#include "host/Desktop.h"

namespace diglux {

class FltkDesktop final : public Desktop {
  public:
    // The X display must be open (fl_open_display) before any call.
    Rect DesktopRect() const override;
    Rect WorkArea() const override;
    Point PointerPosition() const override;
    int ColorPlanes() const override;
    int BitsPerPixel() const override;
    double UnitsPerPixelX() const override { return 1.0; }
    double UnitsPerPixelY() const override { return 1.0; }
    MessageResult ShowMessageBox(const MessageBoxRequest& request) override;
    void Beep() override;
    bool WindowWithCaptionExists(const std::string& caption) const override;
    bool CloseWindowWithCaption(const std::string& caption) override;
};

} // namespace diglux
