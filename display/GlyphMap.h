// Glyph maps: images divided into equal cells, each cell one LED glyph, and the copying of
// one cell onto a surface. There is no font rendering anywhere: every digit, letter and icon
// comes from a map.
#pragma once

#include "display/Surface.h"
#include "host/HostTypes.h"

namespace diglux {

// Copies cell `index` (1-based, left to right then top to bottom; 0 draws nothing) of a map
// with the given grid to (x, y) on the target, in the given colours. `gap` pixels at the right and
// bottom of the cell (the separator line) are left out; the cuts trim the cell further; `zoom`
// scales.
void DrawPicMap(const PalettePicture& map, const PaletteColors& colors, Surface& target, int x,
                int y, int cols, int rows, int index, int gap, double zoom = 1.0, int cutTop = 0,
                int cutBottom = 0, int cutLeft = 0, int cutRight = 0);

} // namespace diglux
