// Plain value types shared by the host interfaces and the core: points, rectangles,
// colours, local date and time, and an 8-bit RGB image. No behaviour beyond arithmetic.
#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>
#include <vector>

namespace diglux {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const Rect&) const = default;

    Rect Intersect(const Rect& o) const {
        const int l = std::max(left, o.left);
        const int t = std::max(top, o.top);
        const int r = std::min(Right(), o.Right());
        const int b = std::min(Bottom(), o.Bottom());
        if (r <= l || b <= t) {
            return {};
        }
        return {l, t, r - l, b - t};
    }

    Rect Union(const Rect& o) const {
        if (Empty()) {
            return o;
        }
        if (o.Empty()) {
            return *this;
        }
        const int l = std::min(left, o.left);
        const int t = std::min(top, o.top);
        return {l, t, std::max(Right(), o.Right()) - l, std::max(Bottom(), o.Bottom()) - t};
    }

    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// A local date and time to the whole second.
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const LocalDateTime&) const = default;
};

// An 8-bit RGB image, rows top-down, three bytes a pixel, no row padding.
class RgbImage {
  public:
    RgbImage() = default;
    RgbImage(int width, int height, Rgb fill = {})
        : width_(width), height_(height),
          bytes_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
        if (fill != Rgb{}) { // the bytes start as zeros, which is black
            Fill(fill);
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    std::uint8_t* Row(int y) { return bytes_.data() + Offset(0, y); }
    const std::uint8_t* Row(int y) const { return bytes_.data() + Offset(0, y); }
    std::uint8_t* Data() { return bytes_.data(); }
    const std::uint8_t* Data() const { return bytes_.data(); }
    std::size_t ByteSize() const { return bytes_.size(); }
    int Stride() const { return width_ * 3; }

    Rgb At(int x, int y) const {
        const std::uint8_t* p = bytes_.data() + Offset(x, y);
        return {p[0], p[1], p[2]};
    }
    void Set(int x, int y, Rgb c) {
        std::uint8_t* p = bytes_.data() + Offset(x, y);
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void Fill(Rgb c) { FillRect(Bounds(), c); }
    void FillRect(const Rect& area, Rgb c) {
        const Rect r = area.Intersect(Bounds());
        for (int y = r.top; y < r.Bottom(); ++y) {
            std::uint8_t* p = Row(y) + static_cast<std::size_t>(r.left) * 3;
            for (int x = 0; x < r.width; ++x, p += 3) {
                p[0] = c.r;
                p[1] = c.g;
                p[2] = c.b;
            }
        }
    }

    bool operator==(const RgbImage&) const = default;

  private:
    std::size_t Offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)) *
               3;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace diglux
