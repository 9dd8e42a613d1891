// Dragging the borderless window with the left button, and the magnetic edges: within `Dock`
// pixels of a screen edge, or of the inner edge of a taskbar at the top or bottom, the window
// snaps to it. Positions are in the window's logical units (whole units per pixel, from the
// desktop).
#pragma once

#include "host/ClockWindowHost.h"
#include "host/Desktop.h"

namespace diglux {

enum class TaskbarSide { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// The taskbar as the strip between the desktop and its work area; all zero when there is
// none.
Rect TaskbarRect(const Desktop& desktop);
TaskbarSide TaskbarEdge(const Desktop& desktop);
int TaskbarHeight(const Desktop& desktop);

class FormMove {
  public:
    FormMove(ClockWindowHost& window, const Desktop& desktop);

    // One pointer event in window units: without a button it keeps the grab point; with the
    // left button it moves the window by the pointer's offset from it and snaps within
    // `distance` pixels of the edges. unitsX/unitsY are whole units per pixel.
    void Move(int button, int x, int y, int distance, int unitsX, int unitsY);

  private:
    ClockWindowHost& window_;
    const Desktop& desktop_;
    int curX_ = 0;
    int curY_ = 0;
    int grabX_ = 0;
    int grabY_ = 0;
};

} // namespace diglux
