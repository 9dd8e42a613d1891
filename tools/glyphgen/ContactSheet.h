// The contact sheet for the documentation: every glyph map, tinted with each colour preset
// the way the program tints it, one block a preset, labelled in the text display's own font.
#pragma once

#include "Artwork.h"
#include "host/HostTypes.h"

#include <vector>

namespace diglux::glyphgen {

// `maps` in the order BuildAllMaps() gives them.
RgbImage BuildContactSheet(const std::vector<NamedImage>& maps);

} // namespace diglux::glyphgen
