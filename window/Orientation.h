// The desktop's orientation: landscape (0) when it is at least as wide as high, else
// portrait (1). The window remembers one position for each.
#pragma once

#include "host/Desktop.h"

namespace diglux {

int Orientation(const Desktop& desktop);

} // namespace diglux
