// Sixteen-segment characters for the text line: the segment geometry, the extra marks that
// punctuation needs (dots, comma, triangle), the font table for codes 32..127 and the map
// built from them.
#pragma once

#include "LedPainter.h"
#include "MapCanvas.h"
#include "Raster.h"

#include <array>
#include <string_view>
#include <vector>

namespace diglux::glyphgen {

// The sixteen segments, in this order. A1/A2 top halves, B/C right upper and lower, D1/D2
// bottom halves, E/F left lower and upper, G1/G2 middle halves, I/L centre upper and lower,
// H/J/K/M the diagonals to the top-left, top-right, bottom-left and bottom-right corners.
inline constexpr std::array<std::string_view, 16> kSegmentNames = {
    "A1", "A2", "B", "C", "D1", "D2", "E", "F", "G1", "G2", "H", "I", "J", "K", "L", "M"};
// Marks drawn lit on top of the segments; they have no unlit form.
inline constexpr std::array<std::string_view, 5> kMarkNames = {"dot", "hidot", "lodot", "comma",
                                                               "triangle"};

struct CharGeometry {
    Vec2 origin; // top-left of the upright outer box
    double width = 0;
    double height = 0;
    double thickness = 0;
    double inset = 0; // how far each segment end stops short of its joint
    double slant = 0;
    double dotRadius = 0;
};

struct CharShapes {
    std::array<Shape, 16> segments;
    std::array<Shape, 5> marks;
};

CharShapes SixteenSegmentShapes(const CharGeometry& geometry);

// The font: for each code 32..127 the names of its lit segments and marks, separated by
// blanks ("A1 A2 B C"). Code 35 holds a degree sign, code 127 a triangle.
std::string_view GlyphRecipe(int code);

struct CharMapStyle {
    CharGeometry geometry;
    LedLook look;
};

// The 96 cells of the text map, cell = code - 31.
void FillCharMap(MapCanvas& map, const CharMapStyle& style);

} // namespace diglux::glyphgen
