// Tinting of the glyph maps: every channel of every pixel is multiplied by the display
// colour, round(colour x level / 255). The masters are kept as palette pictures (a byte a
// pixel; the maps are grey levels plus their near-black background) and never changed.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace diglux {

// A picture of at most 256 colours: a palette index a pixel, rows top-down.
struct PalettePicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
};

// One channel: round(color x level / 255). An exact half cannot occur, since 255 is odd.
constexpr std::uint8_t TintLevel(int color, int level) {
    return static_cast<std::uint8_t>((2 * color * level + 255) / 510);
}

// The picture as palette and indices; nothing when it has more than 256 colours.
std::optional<PalettePicture> ToPalette(const RgbImage& picture);

// A new image of the picture's size whose pixels are its colours tinted with color.
RgbImage ColorizePicture(const PalettePicture& picture, Rgb color);
// The same into an existing image, whose pixels are reused when it has the picture's size.
void ColorizePicture(const PalettePicture& picture, Rgb color, RgbImage& into);

} // namespace diglux
