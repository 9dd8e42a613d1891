#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace diglux::glyphgen {
namespace {

double Length(Vec2 v) {
    return std::hypot(v.x, v.y);
}
double Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}

Box BoxAround(const std::vector<Vec2>& points) {
    Box box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
            std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    for (const Vec2& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

Box Grown(Box box, double by) {
    return {box.left - by, box.top - by, box.right + by, box.bottom + by};
}

// Signed distance to the line through `centre` at `angle` (y downwards); side +1 puts the
// inside where the angle grows past the ray, side -1 where it stays below it.
double HalfPlane(Vec2 p, Vec2 centre, double angle, double side) {
    const Vec2 normal{std::sin(angle) * side, -std::cos(angle) * side};
    return Dot(p - centre, normal);
}

} // namespace

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

Shape ConvexPolygon(const std::vector<Vec2>& points) {
    double area = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Vec2 a = points[i];
        const Vec2 b = points[(i + 1) % points.size()];
        area += a.x * b.y - b.x * a.y;
    }
    // Outward unit normals of the edges, whichever way round the points go.
    std::vector<std::pair<Vec2, Vec2>> edges; // a point on the edge, outward normal
    const double side = area > 0 ? 1.0 : -1.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Vec2 a = points[i];
        const Vec2 d = points[(i + 1) % points.size()] - a;
        const double length = Length(d);
        edges.push_back({a, Vec2{d.y / length, -d.x / length} * side});
    }
    auto distance = [edges](Vec2 p) {
        double d = std::numeric_limits<double>::lowest();
        for (const auto& [a, normal] : edges) {
            d = std::max(d, Dot(p - a, normal));
        }
        return d;
    };
    return {distance, BoxAround(points)};
}

Shape Circle(Vec2 centre, double radius) {
    return {[=](Vec2 p) { return Length(p - centre) - radius; },
            {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}};
}

Shape Ellipse(Vec2 centre, double radiusX, double radiusY, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double scale = std::min(radiusX, radiusY);
    auto distance = [=](Vec2 p) {
        const Vec2 d = p - centre;
        const Vec2 local{(d.x * c + d.y * s) / radiusX, (-d.x * s + d.y * c) / radiusY};
        return (Length(local) - 1.0) * scale;
    };
    const double reach = std::max(radiusX, radiusY);
    return {distance, {centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach}};
}

Shape RoundedBox(Vec2 centre, Vec2 halfSize, double radius) {
    auto distance = [=](Vec2 p) {
        const Vec2 q{std::abs(p.x - centre.x) - halfSize.x + radius,
                     std::abs(p.y - centre.y) - halfSize.y + radius};
        const Vec2 outside{std::max(q.x, 0.0), std::max(q.y, 0.0)};
        return Length(outside) + std::min(std::max(q.x, q.y), 0.0) - radius;
    };
    return {distance,
            {centre.x - halfSize.x, centre.y - halfSize.y, centre.x + halfSize.x,
             centre.y + halfSize.y}};
}

Shape Capsule(Vec2 from, Vec2 to, double width) {
    auto distance = [=](Vec2 p) {
        const Vec2 line = to - from;
        const double t = std::clamp(Dot(p - from, line) / Dot(line, line), 0.0, 1.0);
        return Length(p - (from + line * t)) - width / 2;
    };
    return {distance, Grown(BoxAround({from, to}), width / 2)};
}

Shape Arc(Vec2 centre, double radius, double width, double from, double to) {
    auto distance = [=](Vec2 p) {
        const double ring = std::abs(Length(p - centre) - radius) - width / 2;
        const double wedge =
            std::max(HalfPlane(p, centre, from, 1.0), HalfPlane(p, centre, to, -1.0));
        return std::max(ring, wedge);
    };
    const double reach = radius + width / 2;
    return {distance, {centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach}};
}

Shape Union(const Shape& a, const Shape& b) {
    return {[da = a.distance, db = b.distance](Vec2 p) { return std::min(da(p), db(p)); },
            {std::min(a.box.left, b.box.left), std::min(a.box.top, b.box.top),
             std::max(a.box.right, b.box.right), std::max(a.box.bottom, b.box.bottom)}};
}

Shape Intersect(const Shape& a, const Shape& b) {
    return {[da = a.distance, db = b.distance](Vec2 p) { return std::max(da(p), db(p)); },
            {std::max(a.box.left, b.box.left), std::max(a.box.top, b.box.top),
             std::min(a.box.right, b.box.right), std::min(a.box.bottom, b.box.bottom)}};
}

Shape Subtract(const Shape& a, const Shape& b) {
    return {[da = a.distance, db = b.distance](Vec2 p) { return std::max(da(p), -db(p)); }, a.box};
}

Shape Slanted(const Shape& shape, double slant, double pivotY) {
    auto lean = [=](double y) { return slant * (pivotY - y); };
    const Box& b = shape.box;
    const Box box = BoxAround({{b.left + lean(b.top), b.top},
                               {b.right + lean(b.top), b.top},
                               {b.left + lean(b.bottom), b.bottom},
                               {b.right + lean(b.bottom), b.bottom}});
    return {[d = shape.distance, lean](Vec2 p) { return d({p.x - lean(p.y), p.y}); }, box};
}

Shape Translated(const Shape& shape, Vec2 offset) {
    const Box& b = shape.box;
    return {[d = shape.distance, offset](Vec2 p) { return d(p - offset); },
            {b.left + offset.x, b.top + offset.y, b.right + offset.x, b.bottom + offset.y}};
}

Shape Scaled(const Shape& shape, Vec2 centre, double factor) {
    const Box& b = shape.box;
    auto scale = [=](double v, double c) { return c + (v - c) * factor; };
    return {[d = shape.distance, centre, factor](Vec2 p) {
                return d(centre + (p - centre) * (1.0 / factor)) * factor;
            },
            {scale(b.left, centre.x), scale(b.top, centre.y), scale(b.right, centre.x),
             scale(b.bottom, centre.y)}};
}

GreyCanvas::GreyCanvas(int width, int height, float fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void GreyCanvas::Paste(const GreyCanvas& source, int x, int y) {
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) {
            const int tx = x + sx;
            const int ty = y + sy;
            if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_) {
                At(tx, ty) = source.At(sx, sy);
            }
        }
    }
}

void RenderShape(const Shape& shape, int samples, GreyCanvas& coverage, GreyCanvas* light,
                 const std::function<double(double)>& profile) {
    const int left = std::max(0, static_cast<int>(std::floor(shape.box.left)) - 1);
    const int top = std::max(0, static_cast<int>(std::floor(shape.box.top)) - 1);
    const int right = std::min(coverage.Width(), static_cast<int>(std::ceil(shape.box.right)) + 1);
    const int bottom =
        std::min(coverage.Height(), static_cast<int>(std::ceil(shape.box.bottom)) + 1);
    const double total = static_cast<double>(samples) * samples;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            int inside = 0;
            double sum = 0;
            for (int j = 0; j < samples; ++j) {
                for (int i = 0; i < samples; ++i) {
                    const Vec2 p{x + (i + 0.5) / samples, y + (j + 0.5) / samples};
                    const double d = shape.distance(p);
                    if (d < 0) {
                        ++inside;
                        sum += profile ? profile(-d) : 0.0;
                    }
                }
            }
            coverage.At(x, y) += static_cast<float>(inside / total);
            if (light != nullptr) {
                light->At(x, y) += static_cast<float>(sum / total);
            }
        }
    }
}

GreyCanvas Blur(const GreyCanvas& source, double sigma) {
    const int radius = static_cast<int>(std::ceil(3 * sigma));
    std::vector<double> kernel;
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        kernel.push_back(std::exp(-(i * i) / (2 * sigma * sigma)));
        sum += kernel.back();
    }
    for (double& k : kernel) {
        k /= sum;
    }
    const int w = source.Width();
    const int h = source.Height();
    GreyCanvas across(w, h);
    GreyCanvas result(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double v = 0;
            for (int i = -radius; i <= radius; ++i) {
                if (x + i >= 0 && x + i < w) {
                    v += kernel[static_cast<std::size_t>(i + radius)] * source.At(x + i, y);
                }
            }
            across.At(x, y) = static_cast<float>(v);
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double v = 0;
            for (int i = -radius; i <= radius; ++i) {
                if (y + i >= 0 && y + i < h) {
                    v += kernel[static_cast<std::size_t>(i + radius)] * across.At(x, y + i);
                }
            }
            result.At(x, y) = static_cast<float>(v);
        }
    }
    return result;
}

} // namespace diglux::glyphgen
