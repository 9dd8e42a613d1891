// The frame of grey boxes along the window's four edges: steady dark grey at top and bottom,
// a vertical gradient (dark at the corners, light at half height) left and right. The boxes
// are laid out in the window's logical units and drawn in pixels.
#pragma once

#include "display/Surface.h"

namespace diglux {

// Clears the window canvas to its background colour and draws the frame on it.
// unitsPerPixel is the window's logical units per pixel in x (15 for twips, 1 on Linux).
void DrawBorder(Surface& form, double unitsPerPixel);

} // namespace diglux
