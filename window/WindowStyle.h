// Small window-manager operations on the clock window: the topmost band, the taskbar button,
// the drop shadow, whether the pointer is over a window, and the desktop's size.
#pragma once

#include "host/ClockWindowHost.h"
#include "host/Desktop.h"

namespace diglux {

enum class Topmost { Leave, Join, JoinAndActivate };
// Moves the window into or out of the topmost band; JoinAndActivate raises and focuses it as
// well. The position and size stay.
void OnTop(ClockWindowHost& window, Topmost band);
void ShowInTask(ClockWindowHost& window, bool show);
void DropShadow(ClockWindowHost& window);
// True when the pointer lies inside the rectangle or on its right or bottom edge line.
bool MouseIsOverObject(const Desktop& desktop, const Rect& screenRect);
int ScreenWidth(const Desktop& desktop);
int ScreenHeight(const Desktop& desktop);

} // namespace diglux
