// Helpers for the artwork tests: the committed glyph maps as the program embeds them,
// decoded, and small tools to look at one cell of a map and at its grey levels.
#pragma once

#include "display/GlyphMaps.h"
#include "host/HostTypes.h"

#include <functional>
#include <string_view>
#include <vector>

namespace diglux::art {

inline constexpr MapId kAllMaps[] = {MapId::PicMap7B,    MapId::PicMap7S,  MapId::PicMapDotsB,
                                     MapId::PicMapDotsS, MapId::PicMap16S, MapId::PicMapOpt,
                                     MapId::PicBut};
inline constexpr Rgb kBackground{4, 2, 4};

// The embedded picture, decoded; empty if missing or unreadable.
RgbImage LoadArt(std::string_view type, std::string_view name);
// The glyph map, decoded once and kept.
const RgbImage& LoadMap(MapId id);
// The copied part of cell `index` (1-based) of the map: the cell less its separator.
RgbImage Glyph(MapId id, int index);

// The grey level of a glyph-map pixel; the background counts as 0.
int Grey(Rgb pixel);
// The number of pixels for which pick(pixel, x, y) is true.
int CountPixels(const RgbImage& image, const std::function<bool(Rgb, int, int)>& pick);
// Pixels where the glyph is clearly darker than `under`, the dark glyph it is drawn over.
int DarkerThan(const RgbImage& glyph, const RgbImage& under);

// An area of lit pixels: their number, centroid and bounding box.
struct Blob {
    int pixels = 0;
    double x = 0; // centroid
    double y = 0;
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1; // inclusive
    int bottom = -1;
    void Add(int px, int py);
};
// Connected areas (8-neighbourhood) of pixels at or above `threshold`.
std::vector<Blob> FindBlobs(const RgbImage& glyph, int threshold);
// All pixels at or above `threshold` as one area.
Blob LitArea(const RgbImage& glyph, int threshold);

} // namespace diglux::art
