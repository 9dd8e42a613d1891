// The FLTK window behind FltkClockWindow: a fixed-size borderless window that shows an RGB
// frame and passes keys, pointer input and the window manager's close request on.
// Repaints push only the areas asked for, so an idle clock costs almost nothing.
#pragma once

#include "host/ClockWindowHost.h"

#include <FL/Fl_Window.H>

#include <optional>
#include <vector>

namespace diglux {

class FltkClockView final : public Fl_Window {
  public:
    FltkClockView(int width, int height, const char* caption);

    void SetSink(ClockWindowEvents* sink) { sink_ = sink; }
    void SetFrame(const RgbImage* frame);
    // Marks one area (client pixels) for the next repaint.
    void PushArea(const Rect& area);

    void draw() override;
    int handle(int event) override;

  private:
    static void OnWindowCallback(Fl_Widget* widget, void* data);
    int HandleKey(int event);
    int HandlePointer(int event);
    bool KeyIsForThisWindow(int event);
    void DrawArea(const Rect& area);

    ClockWindowEvents* sink_ = nullptr;
    const RgbImage* frame_ = nullptr;
    std::vector<Rect> pending_;        // areas asked for since the last repaint
    std::optional<Point> lastPointer_; // where the last press or move was passed on
};

} // namespace diglux
