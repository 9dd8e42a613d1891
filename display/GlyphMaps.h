// The program's glyph maps: the masters, loaded once from the resources and checked against
// their required sizes, kept as palette pictures (at most 256 colours, a byte a pixel), and
// the colours each is drawn in. Recolouring tints the palettes, not the pixels; the close
// button is never tinted and is drawn in its own colours.
#pragma once

#include "display/Colorize.h"
#include "display/Surface.h"
#include "host/HostTypes.h"
#include "host/ImageDecoder.h"
#include "host/Resources.h"

#include <array>
#include <string>

namespace diglux {

enum class MapId { PicMap7B, PicMap7S, PicMapDotsB, PicMapDotsS, PicMap16S, PicMapOpt, PicBut };
inline constexpr int kMapCount = 7;

struct MapSpec {
    MapId id;
    const char* name; // resource name (type "MAPS") and file name
    int width;
    int height;
    int cols;
    int rows;
    int gap; // separator pixels at the right and bottom of each cell
    bool tinted;
};

const MapSpec& SpecOf(MapId id);

class GlyphMaps {
  public:
    // Loads and checks every master. On failure names the map and the reason in error.
    bool LoadMasters(const Resources& resources, const ImageDecoder& decoder, std::string& error);
    // Tints the colours of the tinted maps, in their fixed order.
    void Recolor(Rgb color);

    // A pixel of the map as it is drawn.
    Rgb ColorAt(MapId id, int x, int y) const;
    // Draws one cell of a map at (x, y) on the target.
    void Draw(MapId id, Surface& target, int x, int y, int cell) const;

  private:
    static std::size_t Index(MapId id) { return static_cast<std::size_t>(id); }
    bool Keep(const MapSpec& layout, const RgbImage& image, std::string& error);

    std::array<PalettePicture, kMapCount> masters_;
    std::array<PaletteColors, kMapCount> colors_; // tinted, or the master's own
};

} // namespace diglux
