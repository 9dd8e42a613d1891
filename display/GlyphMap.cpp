#include "GlyphMap.h"

#include <cmath>

namespace diglux {

void DrawPicMap(const PalettePicture& map, const PaletteColors& colors, Surface& target, int x,
                int y, int cols, int rows, int index, int gap, double zoom, int cutTop,
                int cutBottom, int cutLeft, int cutRight) {
    if (index == 0 || cols <= 0 || rows <= 0) {
        return;
    }
    const double cellWidth = static_cast<double>(map.width) / cols;
    const double cellHeight = static_cast<double>(map.height) / rows;
    const int i = index - 1;
    const int column = i % cols;
    const int row = i / cols;
    const Rect source{static_cast<int>(column * cellWidth) + cutLeft,
                      static_cast<int>(row * cellHeight) + cutTop,
                      static_cast<int>(cellWidth - gap) - (cutLeft + cutRight),
                      static_cast<int>(cellHeight - gap) - (cutTop + cutBottom)};
    if (zoom == 1.0) {
        target.CopyFrom(map, colors, source, {x, y});
        return;
    }
    const Rect destination{x, y, static_cast<int>(std::lround(zoom * source.width)),
                           static_cast<int>(std::lround(zoom * source.height))};
    target.StretchFrom(map, colors, source, destination);
}

} // namespace diglux
