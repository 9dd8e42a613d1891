// A glyph map under construction: a grey canvas divided into the map's grid, where each
// glyph is pasted into its cell, and the conversion to the stored pixels and PNG bytes.
#pragma once

#include "Raster.h"
#include "host/HostTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace diglux::glyphgen {

// The window background; the one colour of a glyph map that is not a grey.
inline constexpr Rgb kBackground{4, 2, 4};
// Light below this grey level is shown as background.
inline constexpr float kDarkest = 4.5f;

class MapCanvas {
  public:
    MapCanvas(std::string name, int width, int height, int cols, int rows);

    const std::string& Name() const { return name_; }
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    int CellWidth() const { return canvas_.Width() / cols_; }
    int CellHeight() const { return canvas_.Height() / rows_; }
    // The part of a cell that is copied: all but the last column and row.
    int GlyphWidth() const { return CellWidth() - 1; }
    int GlyphHeight() const { return CellHeight() - 1; }

    // Puts a glyph of GlyphWidth() x GlyphHeight() into cell `index` (1-based).
    void SetCell(int index, const GreyCanvas& glyph);
    const GreyCanvas& Canvas() const { return canvas_; }

  private:
    std::string name_;
    int cols_;
    int rows_;
    GreyCanvas canvas_;
};

// Rounds each level to a grey pixel; levels too dark to see become the background colour.
RgbImage ToMapPixels(const GreyCanvas& canvas);

// Encodes the pixels as a palette PNG when they have at most 256 colours and that is
// smaller, otherwise as an RGB PNG. Empty on failure.
std::vector<std::uint8_t> EncodeSmallest(const RgbImage& image);

} // namespace diglux::glyphgen
