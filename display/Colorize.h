// Tinting of the glyph maps: every channel of every pixel is multiplied by the display
// colour, round(colour x level / 255). The masters are kept as palette pictures (a byte a
// pixel; the maps are grey levels plus their near-black background) and never changed.
#pragma once

#include "host/HostTypes.h"

#include <array>
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

    std::uint8_t IndexAt(int x, int y) const {
        return indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
    }
};

// The colour each palette index is drawn in (indices beyond the palette are black), as the
// bytes red, green, blue and a spare one, so that a pixel is copied in one move.
using PaletteColor = std::array<std::uint8_t, 4>;
struct PaletteColors {
    std::array<PaletteColor, 256> table{};
    // Different for every table made: a surface knows by it whether a glyph it holds was
    // drawn in these very colours.
    std::uint64_t version = 0;

    const PaletteColor& operator[](std::size_t index) const { return table[index]; }
};
inline Rgb ToRgb(const PaletteColor& c) {
    return {c[0], c[1], c[2]};
}

// One channel: round(color x level / 255). An exact half cannot occur, since 255 is odd.
constexpr std::uint8_t TintLevel(int color, int level) {
    return static_cast<std::uint8_t>((2 * color * level + 255) / 510);
}

// The picture as palette and indices; nothing when it has more than 256 colours.
std::optional<PalettePicture> ToPalette(const RgbImage& picture);

// The palette's colours tinted with color: what a tinted picture is drawn in.
PaletteColors TintPalette(const std::vector<Rgb>& palette, Rgb color);
// The palette's colours as they are.
PaletteColors PlainPalette(const std::vector<Rgb>& palette);

} // namespace diglux
