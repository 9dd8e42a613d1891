// The program's artwork as a whole: the look and size of every glyph map, built into
// finished map pixels, and the close button.
#pragma once

#include "MapCanvas.h"
#include "host/HostTypes.h"

#include <string>
#include <vector>

namespace diglux::glyphgen {

struct NamedImage {
    std::string name;
    RgbImage pixels;
    int cols = 1;
    int rows = 1;
};

// Every glyph map in the program's order: PicMap7B, PicMap7S, PicMapDotsB, PicMapDotsS,
// PicMap16S, PicMapOpt, PicBut.
std::vector<NamedImage> BuildAllMaps();

} // namespace diglux::glyphgen
