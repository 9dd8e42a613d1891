// A drawing surface: a persistent RGB canvas at a fixed place in the clock window, with a
// background colour and a visible flag. It keeps what is drawn on it and remembers which
// area changed, so that only that area is pushed to the screen.
#pragma once

#include "display/Colorize.h"
#include "host/HostTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace diglux {

class Surface {
  public:
    // placement: where the surface lies in the window, in window pixels.
    Surface(std::string name, Rect placement);

    const std::string& Name() const { return name_; }
    const Rect& Placement() const { return placement_; }
    int Width() const { return placement_.width; }
    int Height() const { return placement_.height; }

    const RgbImage& Pixels() const { return pixels_; }

    Rgb BackColor() const { return backColor_; }
    // Setting the background clears the whole surface to it.
    void SetBackColor(Rgb color);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Opaque copy of a rectangle of a palette picture to (x, y), each index drawn in its colour;
    // whatever falls outside is clipped.
    void CopyFrom(const PalettePicture& source, const PaletteColors& colors, const Rect& sourceArea,
                  Point destination);
    // Stretching copy (nearest pixel) of a rectangle of a palette picture into a destination
    // rectangle.
    void StretchFrom(const PalettePicture& source, const PaletteColors& colors,
                     const Rect& sourceArea, const Rect& destination);
    void FillRect(const Rect& area, Rgb color);

    // The changed area in surface pixels since the last call, and forget it.
    Rect TakeDirty();
    bool IsDirty() const { return !dirty_.Empty(); }
    void MarkDirty(const Rect& area);

  private:
    std::string name_;
    Rect placement_;
    RgbImage pixels_;
    // A glyph copied and untouched since, so that copying it again can be skipped.
    struct Glyph {
        Rect area;
        const PalettePicture* source;
        Rect sourceArea;
        std::uint64_t colors;
        bool operator==(const Glyph&) const = default;
    };
    void Forget(const Rect& area);

    Rgb backColor_{};
    bool visible_ = true;
    Rect dirty_;
    std::vector<Glyph> glyphs_;
};

} // namespace diglux
