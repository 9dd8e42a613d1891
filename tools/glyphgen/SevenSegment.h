// Seven-segment digits: the geometry of the bevelled, slanted segments, the colon and point
// dots that go with them, and the maps built from them (big and small digits, big and small
// colons).
#pragma once

#include "LedPainter.h"
#include "MapCanvas.h"
#include "Raster.h"

#include <array>
#include <cstdint>

namespace diglux::glyphgen {

// A segment running between two joints, with pointed (bevelled) ends that stop `inset`
// short of each joint, so that neighbouring segments keep a small gap.
Shape SegmentBar(Vec2 from, Vec2 to, double thickness, double inset);

// Where a digit lies: its upright outer box (before the slant), stroke and gaps.
struct DigitGeometry {
    Vec2 origin; // top-left of the upright outer box
    double width = 0;
    double height = 0;
    double thickness = 0;
    double inset = 0; // how far each segment end stops short of its joint
    double slant = 0; // forward lean, pixels across per pixel up
    double dotSize = 0;

    double PivotY() const { return origin.y + height / 2; }
};

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle.
enum SevenSegmentBit : std::uint8_t {
    kSegA = 1,
    kSegB = 2,
    kSegC = 4,
    kSegD = 8,
    kSegE = 16,
    kSegF = 32,
    kSegG = 64
};

// The lit segments of each digit-map cell, cells 1 to 13 (digits 0-9, dark digit, minus,
// degree sign).
extern const std::array<std::uint8_t, 13> kSevenSegmentCells;

// The seven segments a to g, slanted.
std::array<Shape, 7> SevenSegmentShapes(const DigitGeometry& digit);
// A rounded square dot centred on an upright point, slanted like the digit.
Shape DigitDot(const DigitGeometry& digit, Vec2 uprightCentre);
// The centres of the upper and lower colon dot and of the decimal point, upright.
std::array<Vec2, 2> ColonCentres(const DigitGeometry& digit);
Vec2 PointCentre(const DigitGeometry& digit);

// One digit glyph of the given size with `litMask` segments lit and the rest unlit.
GreyCanvas PaintDigit(int width, int height, const DigitGeometry& digit, std::uint8_t litMask,
                      const LedLook& look);

struct DigitMapStyle {
    DigitGeometry digit; // placed in a glyph's own coordinates
    LedLook look;
};

// The 16 cells of a digit map: digits, dark digit, minus, degree, point, colon lit/unlit.
void FillDigitMap(MapCanvas& map, const DigitMapStyle& style);
// The 4 cells of a colon map: lower dot unlit/lit, colon unlit/lit.
void FillColonMap(MapCanvas& map, const DigitMapStyle& style);

} // namespace diglux::glyphgen
