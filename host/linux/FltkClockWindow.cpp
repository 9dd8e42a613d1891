#include "host/linux/FltkClockWindow.h"

#include "host/linux/Ewmh.h"
#include "host/linux/FltkClockView.h"
#include "host/linux/X11Display.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cmath>

namespace diglux {

namespace {

constexpr const char* kStateAbove = "_NET_WM_STATE_ABOVE";
constexpr const char* kStateSkipTaskbar = "_NET_WM_STATE_SKIP_TASKBAR";

} // namespace

FltkClockWindow::FltkClockWindow()
    : view_(std::make_unique<FltkClockView>(kWidth, kHeight, "Diglux")) {}

FltkClockWindow::~FltkClockWindow() = default;

void FltkClockWindow::SetEventSink(ClockWindowEvents* sink) {
    view_->SetSink(sink);
}

void FltkClockWindow::AttachFrame(const RgbImage* frame) {
    view_->SetFrame(frame);
}

void FltkClockWindow::Refresh(const Rect& area) {
    view_->PushArea(area);
}

void FltkClockWindow::Move(double left, double top) {
    // One logical unit is one pixel here; halves round to even.
    view_->position(static_cast<int>(std::nearbyint(left)), static_cast<int>(std::nearbyint(top)));
}

Rect FltkClockWindow::ScreenRect() const {
    return {view_->x(), view_->y(), view_->w(), view_->h()};
}

void FltkClockWindow::Show() {
    // A window whose display has gone away cannot be shown again (it is not drawn either).
    if (destroyed_ || IsVisible() || X11DisplayLost()) {
        return;
    }
    view_->show();
    ApplyWindowStates();
}

void FltkClockWindow::Hide() {
    view_->hide();
}

bool FltkClockWindow::IsVisible() const {
    return view_->shown() && view_->visible();
}

void FltkClockWindow::SetTopmost(bool onTop, bool activate) {
    topmost_ = onTop;
    if (!IsVisible()) {
        Show(); // applies the new state as well
    } else {
        Ewmh(fl_display).SetState(fl_xid(view_.get()), kStateAbove, onTop);
    }
    if (onTop && activate && IsVisible()) {
        Ewmh(fl_display).Activate(fl_xid(view_.get()));
    }
}

void FltkClockWindow::SetTaskbarButton(bool show) {
    taskbarButton_ = show;
    // On X the window manager takes the change while the window is mapped, so there is no
    // need to hide and show the window around it.
    if (IsVisible()) {
        Ewmh(fl_display).SetState(fl_xid(view_.get()), kStateSkipTaskbar, !show);
    }
}

void FltkClockWindow::EnableDropShadow() {
    // Nothing to do on X11: a window cannot ask for a shadow; a compositing manager draws
    // one under every window by its own rules, or none at all.
}

void FltkClockWindow::Destroy() {
    destroyed_ = true;
    view_->SetSink(nullptr);
    view_->hide();
}

unsigned long FltkClockWindow::NativeId() const {
    return view_->shown() ? fl_xid(view_.get()) : 0;
}

void FltkClockWindow::ApplyWindowStates() {
    // FLTK creates a new X window on every show, marked skip-taskbar and not topmost.
    const Ewmh ewmh(fl_display);
    const Window window = fl_xid(view_.get());
    if (topmost_) {
        ewmh.SetState(window, kStateAbove, true);
    }
    if (taskbarButton_) {
        ewmh.SetState(window, kStateSkipTaskbar, false);
    }
}

} // namespace diglux
