// The indicator icons (alarm bell, hourly-signal note, announcement loudspeaker), each unlit
// and lit, and the close button, the one map in colour.
#pragma once

#include "LedPainter.h"
#include "MapCanvas.h"
#include "host/HostTypes.h"

namespace diglux::glyphgen {

// Cells 1 to 6: bell unlit, bell lit, note unlit, note lit, loudspeaker unlit and lit.
void FillIconMap(MapCanvas& map, const LedLook& look);

// The close button: 37 x 60 pixels, four states of 37 x 15 stacked top to bottom (two
// resting, highlighted, pressed), a white X on a red bar.
RgbImage BuildCloseButton();

} // namespace diglux::glyphgen
