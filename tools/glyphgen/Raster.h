// Vector shapes as signed distance functions, a floating-point grey canvas, supersampled
// rendering of shapes into it and a Gaussian blur. All artwork is built from these, so every
// edge is anti-aliased the same way and nothing depends on a font or an outside picture.
#pragma once

#include <functional>
#include <vector>

namespace diglux::glyphgen {

struct Vec2 {
    double x = 0;
    double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double f) {
    return {a.x * f, a.y * f};
}

// An axis-aligned box in canvas pixels; shapes draw only inside theirs.
struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A closed shape: the signed distance from a point to its outline, negative inside (exact
// inside, at least a lower bound outside), and a box that holds all of it.
struct Shape {
    std::function<double(Vec2)> distance;
    Box box;
};

Shape ConvexPolygon(const std::vector<Vec2>& points); // clockwise or anticlockwise
Shape Circle(Vec2 centre, double radius);
Shape Ellipse(Vec2 centre, double radiusX, double radiusY, double angle);
Shape RoundedBox(Vec2 centre, Vec2 halfSize, double radius);
// A stroke of the given width along a line, with round ends.
Shape Capsule(Vec2 from, Vec2 to, double width);
// A stroke of the given width along a circle, kept to the angles (radians, y downwards)
// between `from` and `to`, with square ends.
Shape Arc(Vec2 centre, double radius, double width, double from, double to);

Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
// Leans the shape forward: a point at height y moves right by slant x (pivotY - y).
Shape Slanted(const Shape& shape, double slant, double pivotY);
Shape Translated(const Shape& shape, Vec2 offset);
// Scales the shape by `factor` about `centre`.
Shape Scaled(const Shape& shape, Vec2 centre, double factor);

// A grey image with one float a pixel (0 = black, 255 = full light), rows top-down.
class GreyCanvas {
  public:
    GreyCanvas() = default;
    GreyCanvas(int width, int height, float fill = 0.0f);

    int Width() const { return width_; }
    int Height() const { return height_; }
    float At(int x, int y) const { return pixels_[Offset(x, y)]; }
    float& At(int x, int y) { return pixels_[Offset(x, y)]; }
    // Copies another canvas into this one with its top-left corner at (x, y), clipped.
    void Paste(const GreyCanvas& source, int x, int y);

  private:
    std::size_t Offset(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<float> pixels_;
};

// Renders a shape with `samples` x `samples` points a pixel. For each pixel, `coverage`
// receives the share of points inside; `light`, if given, receives the mean of
// profile(depth) over all points, with depth the distance of an inside point from the
// outline (outside points count 0). Both are added to what the canvases hold.
void RenderShape(const Shape& shape, int samples, GreyCanvas& coverage, GreyCanvas* light = nullptr,
                 const std::function<double(double)>& profile = {});

// Gaussian blur with the given standard deviation in pixels; outside the canvas counts as
// black, so light never spreads past its edges.
GreyCanvas Blur(const GreyCanvas& source, double sigma);

double SmoothStep(double edge0, double edge1, double x);

} // namespace diglux::glyphgen
