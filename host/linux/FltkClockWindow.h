// The clock's borderless window on X11 through FLTK: 654 x 238 pixels, class and caption
// "Diglux", showing the frame the core composes. Topmost, activation and the taskbar
// button go through the window manager's EWMH requests; they are remembered while the
// window is hidden and applied again whenever it is shown.
#pragma once

#include "host/ClockWindowHost.h"

#include <memory>

namespace diglux {

class FltkClockView;

class FltkClockWindow final : public ClockWindowHost {
  public:
    static constexpr int kWidth = 654;
    static constexpr int kHeight = 238;

    FltkClockWindow();
    ~FltkClockWindow() override;
    FltkClockWindow(const FltkClockWindow&) = delete;
    FltkClockWindow& operator=(const FltkClockWindow&) = delete;

    void SetEventSink(ClockWindowEvents* sink) override;
    void AttachFrame(const RgbImage* frame) override;
    void Refresh(const Rect& area) override;
    void Move(double left, double top) override;
    Rect ScreenRect() const override;
    void Show() override;
    void Hide() override;
    bool IsVisible() const override;
    // Shows the window first if it is hidden, as the topmost request always does.
    void SetTopmost(bool onTop, bool activate) override;
    void SetTaskbarButton(bool show) override;
    void EnableDropShadow() override;
    void Destroy() override;

    // The X window id while the window is shown, else 0 (for tests and tools).
    unsigned long NativeId() const;

  private:
    void ApplyWindowStates();

    std::unique_ptr<FltkClockView> view_;
    bool topmost_ = false;
    bool taskbarButton_ = false; // FLTK's borderless windows start without one
    bool destroyed_ = false;
};

} // namespace diglux
