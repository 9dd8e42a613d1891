#include "SevenSegment.h"

#include <cmath>
#include <vector>

namespace diglux::glyphgen {

const std::array<std::uint8_t, 13> kSevenSegmentCells = {
    kSegA | kSegB | kSegC | kSegD | kSegE | kSegF,         // 0
    kSegB | kSegC,                                         // 1
    kSegA | kSegB | kSegD | kSegE | kSegG,                 // 2
    kSegA | kSegB | kSegC | kSegD | kSegG,                 // 3
    kSegB | kSegC | kSegF | kSegG,                         // 4
    kSegA | kSegC | kSegD | kSegF | kSegG,                 // 5
    kSegA | kSegC | kSegD | kSegE | kSegF | kSegG,         // 6
    kSegA | kSegB | kSegC,                                 // 7
    kSegA | kSegB | kSegC | kSegD | kSegE | kSegF | kSegG, // 8
    kSegA | kSegB | kSegC | kSegD | kSegF | kSegG,         // 9
    0,                                                     // dark digit
    kSegG,                                                 // minus
    kSegA | kSegB | kSegF | kSegG,                         // degree sign
};

Shape SegmentBar(Vec2 from, Vec2 to, double thickness, double inset) {
    const Vec2 d = to - from;
    const double length = std::hypot(d.x, d.y);
    const Vec2 u = d * (1.0 / length);
    const Vec2 n{-u.y, u.x};
    const double h = thickness / 2;
    const Vec2 q0 = from + u * inset;
    const Vec2 q1 = to - u * inset;
    return ConvexPolygon(
        {q0, q0 + u * h + n * h, q1 - u * h + n * h, q1, q1 - u * h - n * h, q0 + u * h - n * h});
}

std::array<Shape, 7> SevenSegmentShapes(const DigitGeometry& digit) {
    const double h = digit.thickness / 2;
    const double left = digit.origin.x + h;
    const double right = digit.origin.x + digit.width - h;
    const double top = digit.origin.y + h;
    const double bottom = digit.origin.y + digit.height - h;
    const double middle = (top + bottom) / 2;
    auto bar = [&](Vec2 from, Vec2 to) {
        return Slanted(SegmentBar(from, to, digit.thickness, digit.inset), digit.slant,
                       digit.PivotY());
    };
    return {bar({left, top}, {right, top}),        bar({right, top}, {right, middle}),
            bar({right, middle}, {right, bottom}), bar({left, bottom}, {right, bottom}),
            bar({left, middle}, {left, bottom}),   bar({left, top}, {left, middle}),
            bar({left, middle}, {right, middle})};
}

Shape DigitDot(const DigitGeometry& digit, Vec2 uprightCentre) {
    const double half = digit.dotSize / 2;
    return Slanted(RoundedBox(uprightCentre, {half, half}, digit.dotSize * 0.28), digit.slant,
                   digit.PivotY());
}

std::array<Vec2, 2> ColonCentres(const DigitGeometry& digit) {
    const double h = digit.thickness / 2;
    const double top = digit.origin.y + h;
    const double bottom = digit.origin.y + digit.height - h;
    const double middle = (top + bottom) / 2;
    const double x = digit.origin.x + digit.width / 2;
    return {Vec2{x, (top + middle) / 2}, Vec2{x, (middle + bottom) / 2}};
}

Vec2 PointCentre(const DigitGeometry& digit) {
    return {digit.origin.x + digit.width / 2, digit.origin.y + digit.height - digit.dotSize / 2};
}

GreyCanvas PaintDigit(int width, int height, const DigitGeometry& digit, std::uint8_t litMask,
                      const LedLook& look) {
    const std::array<Shape, 7> segments = SevenSegmentShapes(digit);
    std::vector<LedElement> elements;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        elements.push_back({segments[i], (litMask & (1u << i)) != 0});
    }
    return PaintLed(width, height, elements, look);
}

void FillDigitMap(MapCanvas& map, const DigitMapStyle& style) {
    const int w = map.GlyphWidth();
    const int h = map.GlyphHeight();
    for (std::size_t i = 0; i < kSevenSegmentCells.size(); ++i) {
        map.SetCell(static_cast<int>(i) + 1,
                    PaintDigit(w, h, style.digit, kSevenSegmentCells[i], style.look));
    }
    const std::array<Vec2, 2> colon = ColonCentres(style.digit);
    const Shape point = DigitDot(style.digit, PointCentre(style.digit));
    const Shape upper = DigitDot(style.digit, colon[0]);
    const Shape lower = DigitDot(style.digit, colon[1]);
    map.SetCell(14, PaintLed(w, h, {{point, true}}, style.look));
    map.SetCell(15, PaintLed(w, h, {{upper, true}, {lower, true}}, style.look));
    map.SetCell(16, PaintLed(w, h, {{upper, false}, {lower, false}}, style.look));
}

void FillColonMap(MapCanvas& map, const DigitMapStyle& style) {
    const int w = map.GlyphWidth();
    const int h = map.GlyphHeight();
    const std::array<Vec2, 2> colon = ColonCentres(style.digit);
    const Shape upper = DigitDot(style.digit, colon[0]);
    const Shape lower = DigitDot(style.digit, colon[1]);
    map.SetCell(1, PaintLed(w, h, {{lower, false}}, style.look));
    map.SetCell(2, PaintLed(w, h, {{lower, true}}, style.look));
    map.SetCell(3, PaintLed(w, h, {{upper, false}, {lower, false}}, style.look));
    map.SetCell(4, PaintLed(w, h, {{upper, true}, {lower, true}}, style.look));
}

} // namespace diglux::glyphgen
