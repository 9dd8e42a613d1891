#include "host/linux/FltkDesktop.h"

#include "host/linux/Ewmh.h"
#include "host/linux/FltkMessageBox.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

namespace diglux {

namespace {

constexpr int kPrimaryScreen = 0;

} // namespace

Rect FltkDesktop::DesktopRect() const {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Fl::screen_xywh(x, y, width, height, kPrimaryScreen);
    return {x, y, width, height};
}

Rect FltkDesktop::WorkArea() const {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Fl::screen_work_area(x, y, width, height, kPrimaryScreen);
    return {x, y, width, height};
}

Point FltkDesktop::PointerPosition() const {
    Point p;
    Fl::get_mouse(p.x, p.y);
    return p;
}

int FltkDesktop::ColorPlanes() const {
    return fl_visual != nullptr ? 1 : 0;
}

int FltkDesktop::BitsPerPixel() const {
    return fl_visual != nullptr ? fl_visual->depth : 0;
}

MessageResult FltkDesktop::ShowMessageBox(const MessageBoxRequest& request) {
    return RunMessageBox(request);
}

void FltkDesktop::Beep() {
    fl_beep();
}

bool FltkDesktop::WindowWithCaptionExists(const std::string& caption) const {
    const Ewmh ewmh(fl_display);
    for (const Window window : ewmh.TopLevelWindows()) {
        if (ewmh.WindowName(window) == caption) {
            return true;
        }
    }
    return false;
}

bool FltkDesktop::CloseWindowWithCaption(const std::string& caption) {
    const Ewmh ewmh(fl_display);
    bool found = false;
    for (const Window window : ewmh.TopLevelWindows()) {
        if (ewmh.WindowName(window) == caption) {
            ewmh.RequestClose(window);
            found = true;
        }
    }
    return found;
}

} // namespace diglux
