// Paints one LED glyph: its elements (segments, dots, icon parts) as dim unlit shapes or as
// bright lit shapes with a bevelled face, plus the soft glow that lit elements throw around
// them. The glow is cut at the glyph's area, so nothing spills into a neighbouring cell.
#pragma once

#include "Raster.h"

#include <vector>

namespace diglux::glyphgen {

struct GlowLayer {
    double sigma = 1.0;    // spread in pixels
    double strength = 0.3; // share of full light at the middle of a wide lit area
};

struct LedLook {
    double unlitCentre = 30; // grey at the middle of an unlit element
    double unlitEdge = 36;   // grey at its outline
    double litCentre = 255;
    double litEdge = 210;
    double bevel = 2.0; // depth in pixels over which the edge shade turns into the centre's
    std::vector<GlowLayer> glow;
    int samples = 8; // supersampling points a pixel, each way
};

struct LedElement {
    Shape shape;
    bool lit = false;
};

// A glyph of width x height pixels; element coordinates are relative to its top-left corner.
GreyCanvas PaintLed(int width, int height, const std::vector<LedElement>& elements,
                    const LedLook& look);

} // namespace diglux::glyphgen
