#include "Orientation.h"

#include "window/WindowStyle.h"

namespace diglux {

int Orientation(const Desktop& desktop) {
    return ScreenWidth(desktop) >= ScreenHeight(desktop) ? 0 : 1;
}

} // namespace diglux
