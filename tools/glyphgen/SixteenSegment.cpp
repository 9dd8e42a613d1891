#include "SixteenSegment.h"

#include "SevenSegment.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace diglux::glyphgen {
namespace {

struct Frame {
    double left, centre, right, top, middle, bottom;
};

Frame JointsOf(const CharGeometry& g) {
    const double h = g.thickness / 2;
    const double top = g.origin.y + h;
    const double bottom = g.origin.y + g.height - h;
    const double left = g.origin.x + h;
    const double right = g.origin.x + g.width - h;
    return {left, (left + right) / 2, right, top, (top + bottom) / 2, bottom};
}

// A diagonal segment: a stroke from one corner of the box between the surrounding
// segments to the opposite corner, cut off at that box.
Shape Diagonal(Vec2 corner, Vec2 centre, const CharGeometry& g) {
    const double keep = g.thickness / 2 + g.inset;
    const double x0 = std::min(corner.x, centre.x) + keep;
    const double x1 = std::max(corner.x, centre.x) - keep;
    const double y0 = std::min(corner.y, centre.y) + keep;
    const double y1 = std::max(corner.y, centre.y) - keep;
    const Shape box = ConvexPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
    const Vec2 from = corner;
    const Vec2 to = centre;
    const Vec2 d = to - from;
    const Vec2 u = d * (1.0 / std::hypot(d.x, d.y));
    const Vec2 n = Vec2{-u.y, u.x} * (g.thickness / 2);
    const Vec2 a = from - u * g.thickness;
    const Vec2 b = to + u * g.thickness;
    return Intersect(box, ConvexPolygon({a + n, b + n, b - n, a - n}));
}

std::array<Shape, 16> Segments(const CharGeometry& g, const Frame& f) {
    auto bar = [&g](Vec2 from, Vec2 to) { return SegmentBar(from, to, g.thickness, g.inset); };
    const Vec2 centre{f.centre, f.middle};
    return {bar({f.left, f.top}, {f.centre, f.top}),
            bar({f.centre, f.top}, {f.right, f.top}),
            bar({f.right, f.top}, {f.right, f.middle}),
            bar({f.right, f.middle}, {f.right, f.bottom}),
            bar({f.left, f.bottom}, {f.centre, f.bottom}),
            bar({f.centre, f.bottom}, {f.right, f.bottom}),
            bar({f.left, f.middle}, {f.left, f.bottom}),
            bar({f.left, f.top}, {f.left, f.middle}),
            bar({f.left, f.middle}, {f.centre, f.middle}),
            bar({f.centre, f.middle}, {f.right, f.middle}),
            Diagonal({f.left, f.top}, centre, g),
            bar({f.centre, f.top}, {f.centre, f.middle}),
            Diagonal({f.right, f.top}, centre, g),
            Diagonal({f.left, f.bottom}, centre, g),
            bar({f.centre, f.middle}, {f.centre, f.bottom}),
            Diagonal({f.right, f.bottom}, centre, g)};
}

std::array<Shape, 5> Marks(const CharGeometry& g, const Frame& f) {
    const double r = g.dotRadius;
    const double colonStep = (f.bottom - f.top) * 0.26;
    const Shape comma = Union(Circle({f.centre, f.bottom - r * 1.0}, r),
                              Capsule({f.centre + r * 0.4, f.bottom - r * 0.8},
                                      {f.centre - r * 1.2, f.bottom + r * 0.55}, r * 1.1));
    const double tx = (f.right - f.left) * 0.3;
    const double ty = (f.bottom - f.top) * 0.24;
    const Shape triangle = ConvexPolygon({{f.centre - tx, f.middle - ty},
                                          {f.centre + tx * 1.1, f.middle},
                                          {f.centre - tx, f.middle + ty}});
    return {Circle({f.centre, f.bottom - r * 0.3}, r), Circle({f.centre, f.middle - colonStep}, r),
            Circle({f.centre, f.middle + colonStep}, r), comma, triangle};
}

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& names, std::string_view name) {
    const auto at = std::find(names.begin(), names.end(), name);
    return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

// The elements of one character: all segments, lit as the recipe says, and its marks.
std::vector<LedElement> CharElements(const CharShapes& shapes, std::string_view recipe) {
    std::vector<LedElement> elements;
    for (const Shape& segment : shapes.segments) {
        elements.push_back({segment, false});
    }
    std::size_t start = 0;
    while (start < recipe.size()) {
        std::size_t end = recipe.find(' ', start);
        if (end == std::string_view::npos) {
            end = recipe.size();
        }
        const std::string_view name = recipe.substr(start, end - start);
        start = end + 1;
        if (name.empty()) {
            continue;
        }
        if (const int segment = IndexOf(kSegmentNames, name); segment >= 0) {
            elements[static_cast<std::size_t>(segment)].lit = true;
        } else if (const int mark = IndexOf(kMarkNames, name); mark >= 0) {
            elements.push_back({shapes.marks[static_cast<std::size_t>(mark)], true});
        } else {
            throw std::invalid_argument("unknown segment name: " + std::string(name));
        }
    }
    return elements;
}

} // namespace

CharShapes SixteenSegmentShapes(const CharGeometry& geometry) {
    const Frame frame = JointsOf(geometry);
    CharShapes shapes{Segments(geometry, frame), Marks(geometry, frame)};
    const double pivot = geometry.origin.y + geometry.height / 2;
    for (Shape& s : shapes.segments) {
        s = Slanted(s, geometry.slant, pivot);
    }
    for (Shape& s : shapes.marks) {
        s = Slanted(s, geometry.slant, pivot);
    }
    return shapes;
}

void FillCharMap(MapCanvas& map, const CharMapStyle& style) {
    const CharShapes shapes = SixteenSegmentShapes(style.geometry);
    for (int code = 32; code <= 127; ++code) {
        map.SetCell(code - 31, PaintLed(map.GlyphWidth(), map.GlyphHeight(),
                                        CharElements(shapes, GlyphRecipe(code)), style.look));
    }
}

} // namespace diglux::glyphgen
