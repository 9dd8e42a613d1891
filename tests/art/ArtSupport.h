// Helpers for the artwork tests: the committed glyph maps as the program embeds them,
// decoded, and small tools to look at one cell of a map and at its grey levels.
#pragma once

#include "host/HostTypes.h"

#include <string_view>
#include <vector>

namespace diglux::art {

struct ArtMap {
    std::string_view name;
    int width;
    int height;
    int cols;
    int rows;
    int gap; // separator pixels at the right and bottom of each cell
};

// Every glyph map with the size and grid the program requires.
inline constexpr ArtMap kArtMaps[] = {
    {"PicMap7B", 1456, 126, 16, 1, 1},  {"PicMap7S", 736, 66, 16, 1, 1},
    {"PicMapDotsB", 140, 126, 4, 1, 1}, {"PicMapDotsS", 96, 66, 4, 1, 1},
    {"PicMap16S", 224, 120, 16, 6, 1},  {"PicMapOpt", 144, 26, 6, 1, 1},
    {"PicBut", 37, 60, 1, 4, 0}};

inline constexpr Rgb kBackground{4, 2, 4};

const ArtMap& MapNamed(std::string_view name);
// The embedded map, decoded; empty if missing or unreadable.
RgbImage LoadArt(std::string_view type, std::string_view name);
RgbImage LoadMap(std::string_view name);
// The copied part of cell `index` (1-based): the cell less its separator.
RgbImage Glyph(const RgbImage& map, const ArtMap& layout, int index);

// The grey level of a glyph-map pixel; the background counts as 0.
int Grey(Rgb pixel);

// Connected areas (8-neighbourhood) of pixels at or above `threshold`.
struct Blob {
    int pixels = 0;
    double x = 0; // centroid
    double y = 0;
    int left = 0;
    int top = 0;
    int right = 0; // inclusive
    int bottom = 0;
};
std::vector<Blob> FindBlobs(const RgbImage& glyph, int threshold);

int CountAtLeast(const RgbImage& glyph, int threshold);

} // namespace diglux::art
