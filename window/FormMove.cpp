#include "FormMove.h"

#include <algorithm>

namespace diglux {

Rect TaskbarRect(const Desktop& desktop) {
    const Rect screen = desktop.DesktopRect();
    const Rect work = desktop.WorkArea();
    if (work.top > screen.top) {
        return {screen.left, screen.top, screen.width, work.top - screen.top};
    }
    if (work.Bottom() < screen.Bottom()) {
        return {screen.left, work.Bottom(), screen.width, screen.Bottom() - work.Bottom()};
    }
    if (work.left > screen.left) {
        return {screen.left, screen.top, work.left - screen.left, screen.height};
    }
    if (work.Right() < screen.Right()) {
        return {work.Right(), screen.top, screen.Right() - work.Right(), screen.height};
    }
    return {};
}

TaskbarSide TaskbarEdge(const Desktop& desktop) {
    const Rect bar = TaskbarRect(desktop);
    if (bar.height >= desktop.DesktopRect().height) {
        return bar.left > 0 ? TaskbarSide::Right : TaskbarSide::Left;
    }
    return bar.top > 0 ? TaskbarSide::Bottom : TaskbarSide::Top;
}

int TaskbarHeight(const Desktop& desktop) {
    const Rect bar = TaskbarRect(desktop);
    return std::min(bar.Bottom(), desktop.DesktopRect().Bottom()) - bar.top;
}

FormMove::FormMove(ClockWindowHost& window, const Desktop& desktop)
    : window_(window), desktop_(desktop) {}

void FormMove::Move(int button, int x, int y, int distance, int unitsX, int unitsY) {
    const Rect screen = desktop_.DesktopRect();
    const int w = unitsX * screen.Right();
    const int h = unitsY * screen.Bottom();
    int topLimit = 0;
    int bottomLimit = h;
    switch (TaskbarEdge(desktop_)) {
    case TaskbarSide::Bottom:
        bottomLimit = h - TaskbarHeight(desktop_) * unitsY;
        break;
    case TaskbarSide::Top:
        topLimit = TaskbarHeight(desktop_) * unitsY;
        break;
    default:
        break;
    }
    curX_ = x;
    curY_ = y;
    if (button == 0) {
        grabX_ = curX_;
        grabY_ = curY_;
        return;
    }
    if (button != kLeftButton) {
        return;
    }
    const Rect rect = window_.ScreenRect();
    int top = rect.top * unitsY + (curY_ - grabY_);
    int left = rect.left * unitsX + (curX_ - grabX_);
    const int cw = rect.width * unitsX;
    const int ch = rect.height * unitsY;
    if (distance > 0) {
        if (left <= unitsX * distance) {
            left = 0;
        }
        if (top <= unitsY * distance + topLimit) {
            top = topLimit;
        }
        if (cw + left >= w - unitsY * distance) {
            left = w - cw;
        }
        if (ch + top >= bottomLimit - unitsY * distance) {
            top = bottomLimit - ch;
        }
    }
    window_.Move(left, top);
}

} // namespace diglux
