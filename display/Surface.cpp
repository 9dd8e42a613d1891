#include "Surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace diglux {

Surface::Surface(std::string name, Rect placement)
    : name_(std::move(name)), placement_(placement), pixels_(placement.width, placement.height) {}

void Surface::SetBackColor(Rgb color) {
    backColor_ = color;
    pixels_.Fill(color);
    MarkDirty(pixels_.Bounds());
}

void Surface::SetVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        MarkDirty(pixels_.Bounds());
    }
}

void Surface::CopyFrom(const RgbImage& source, const Rect& sourceArea, Point destination) {
    // Clip against the source first, then against this surface, keeping both aligned.
    const Rect src = sourceArea.Intersect(source.Bounds());
    const Rect wanted{destination.x + (src.left - sourceArea.left),
                      destination.y + (src.top - sourceArea.top), src.width, src.height};
    const Rect dst = wanted.Intersect(pixels_.Bounds());
    if (dst.Empty()) {
        return;
    }
    const int srcLeft = src.left + (dst.left - wanted.left);
    const int srcTop = src.top + (dst.top - wanted.top);
    // Only rows that change are written and marked: the clock redraws the same glyphs often
    // (the text line every second), and an unchanged area need not go to the screen again.
    const std::size_t rowBytes = static_cast<std::size_t>(dst.width) * 3;
    int firstChanged = dst.height;
    int lastChanged = -1;
    for (int row = 0; row < dst.height; ++row) {
        std::uint8_t* to = pixels_.Row(dst.top + row) + static_cast<std::size_t>(dst.left) * 3;
        const std::uint8_t* from = source.Row(srcTop + row) + static_cast<std::size_t>(srcLeft) * 3;
        if (std::memcmp(to, from, rowBytes) != 0) {
            std::memcpy(to, from, rowBytes);
            firstChanged = std::min(firstChanged, row);
            lastChanged = row;
        }
    }
    if (lastChanged >= 0) {
        MarkDirty({dst.left, dst.top + firstChanged, dst.width, lastChanged - firstChanged + 1});
    }
}

void Surface::StretchFrom(const RgbImage& source, const Rect& sourceArea, const Rect& destination) {
    const Rect src = sourceArea.Intersect(source.Bounds());
    const Rect dst = destination.Intersect(pixels_.Bounds());
    if (src.Empty() || dst.Empty() || destination.Empty()) {
        return;
    }
    for (int y = dst.top; y < dst.Bottom(); ++y) {
        const int sy = src.top + (y - destination.top) * src.height / destination.height;
        for (int x = dst.left; x < dst.Right(); ++x) {
            const int sx = src.left + (x - destination.left) * src.width / destination.width;
            pixels_.Set(x, y, source.At(sx, sy));
        }
    }
    MarkDirty(dst);
}

void Surface::FillRect(const Rect& area, Rgb color) {
    const Rect r = area.Intersect(pixels_.Bounds());
    pixels_.FillRect(r, color);
    MarkDirty(r);
}

Rect Surface::TakeDirty() {
    return std::exchange(dirty_, Rect{});
}

void Surface::MarkDirty(const Rect& area) {
    dirty_ = dirty_.Union(area.Intersect(pixels_.Bounds()));
}

} // namespace diglux
