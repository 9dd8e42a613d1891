#include "Surface.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace diglux {

namespace {

// The widest area copied at once; wider copies are cut (no map is this wide).
constexpr int kMaxCopyWidth = 2048;

} // namespace

Surface::Surface(std::string name, Rect placement)
    : name_(std::move(name)), placement_(placement), pixels_(placement.width, placement.height) {}

void Surface::SetBackColor(Rgb color) {
    glyphs_.clear();
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

void Surface::CopyFrom(const PalettePicture& source, const PaletteColors& colors,
                       const Rect& sourceArea, Point destination) {
    // Clip against the source first, then against this surface, keeping both aligned.
    const Rect src = sourceArea.Intersect({0, 0, source.width, source.height});
    const Rect wanted{destination.x + (src.left - sourceArea.left),
                      destination.y + (src.top - sourceArea.top), src.width, src.height};
    const Rect dst = wanted.Intersect(pixels_.Bounds());
    if (dst.Empty()) {
        return;
    }
    const int srcLeft = src.left + (dst.left - wanted.left);
    const int srcTop = src.top + (dst.top - wanted.top);
    // Most redraws draw the glyphs that are there already.
    const Glyph glyph{dst, &source, {srcLeft, srcTop, dst.width, dst.height}, colors.version};
    if (std::find(glyphs_.begin(), glyphs_.end(), glyph) != glyphs_.end()) {
        return;
    }
    Forget(dst);
    glyphs_.push_back(glyph);
    // Only rows that change are written and marked: the clock redraws the same glyphs often
    // (the text line every second), and an unchanged area need not go to the screen again.
    // Each row is converted first and then compared: most redraws repeat what is there.
    // Four bytes are moved a pixel, three apart: the row has room for the last one's spare.
    std::array<std::uint8_t, 3 * kMaxCopyWidth + 1> row; // NOLINT(*-member-init): written first
    const int width = std::min(dst.width, kMaxCopyWidth);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    int firstChanged = dst.height;
    int lastChanged = -1;
    for (int y = 0; y < dst.height; ++y) {
        const std::uint8_t* from = &source.indices[static_cast<std::size_t>(srcTop + y) *
                                                       static_cast<std::size_t>(source.width) +
                                                   static_cast<std::size_t>(srcLeft)];
        std::uint8_t* out = row.data();
        for (int x = 0; x < width; ++x, out += 3) {
            std::memcpy(out, colors[from[x]].data(), 4);
        }
        std::uint8_t* to = pixels_.Row(dst.top + y) + static_cast<std::size_t>(dst.left) * 3;
        if (std::memcmp(to, row.data(), rowBytes) != 0) {
            std::memcpy(to, row.data(), rowBytes);
            firstChanged = std::min(firstChanged, y);
            lastChanged = y;
        }
    }
    if (lastChanged >= 0) {
        MarkDirty({dst.left, dst.top + firstChanged, dst.width, lastChanged - firstChanged + 1});
    }
}

void Surface::StretchFrom(const PalettePicture& source, const PaletteColors& colors,
                          const Rect& sourceArea, const Rect& destination) {
    const Rect src = sourceArea.Intersect({0, 0, source.width, source.height});
    const Rect dst = destination.Intersect(pixels_.Bounds());
    if (src.Empty() || dst.Empty() || destination.Empty()) {
        return;
    }
    Forget(dst);
    for (int y = dst.top; y < dst.Bottom(); ++y) {
        const int sy = src.top + (y - destination.top) * src.height / destination.height;
        for (int x = dst.left; x < dst.Right(); ++x) {
            const int sx = src.left + (x - destination.left) * src.width / destination.width;
            pixels_.Set(x, y, ToRgb(colors[source.IndexAt(sx, sy)]));
        }
    }
    MarkDirty(dst);
}

void Surface::FillRect(const Rect& area, Rgb color) {
    const Rect r = area.Intersect(pixels_.Bounds());
    Forget(r);
    pixels_.FillRect(r, color);
    MarkDirty(r);
}

void Surface::Forget(const Rect& area) {
    std::erase_if(glyphs_, [&area](const Glyph& g) { return !g.area.Intersect(area).Empty(); });
}

Rect Surface::TakeDirty() {
    return std::exchange(dirty_, Rect{});
}

void Surface::MarkDirty(const Rect& area) {
    dirty_ = dirty_.Union(area.Intersect(pixels_.Bounds()));
}

} // namespace diglux
