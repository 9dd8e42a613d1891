#include "WindowStyle.h"

namespace diglux {

void OnTop(ClockWindowHost& window, Topmost band) {
    window.SetTopmost(band != Topmost::Leave, band == Topmost::JoinAndActivate);
}

void ShowInTask(ClockWindowHost& window, bool show) {
    window.SetTaskbarButton(show);
}

void DropShadow(ClockWindowHost& window) {
    window.EnableDropShadow();
}

bool MouseIsOverObject(const Desktop& desktop, const Rect& screenRect) {
    const Point p = desktop.PointerPosition();
    // The rectangle's right and bottom count as part of it, as the window manager's
    // rectangle test of the original does.
    return screenRect.left <= p.x && p.x <= screenRect.Right() && screenRect.top <= p.y &&
           p.y <= screenRect.Bottom();
}

int ScreenWidth(const Desktop& desktop) {
    return desktop.DesktopRect().Right();
}

int ScreenHeight(const Desktop& desktop) {
    return desktop.DesktopRect().Bottom();
}

} // namespace diglux
