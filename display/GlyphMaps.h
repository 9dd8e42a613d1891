// The program's glyph maps: the masters, loaded once from the resources and checked against
// their required sizes, and the tinted working copies that all drawing reads from. The masters
// of the tinted maps are kept as palette pictures (at most 256 colours, a byte a pixel); the
// close button is never tinted and is drawn from its master.
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
    // Replaces the working copies of the tinted maps, in their fixed order.
    void Recolor(Rgb color);

    // The copy drawing reads from: the tinted copy, or the master for the close button.
    const RgbImage& Working(MapId id) const;
    // Draws one cell of a map's working copy at (x, y) on the target.
    void Draw(MapId id, Surface& target, int x, int y, int cell) const;

  private:
    static std::size_t Index(MapId id) { return static_cast<std::size_t>(id); }
    bool Keep(const MapSpec& layout, RgbImage image, std::string& error);

    std::array<PalettePicture, kMapCount> masters_; // of the tinted maps
    std::array<RgbImage, kMapCount> working_;       // tinted copies, or the untinted masters
};

} // namespace diglux
