// Tinting of the greyscale glyph maps: every channel of every pixel is multiplied by the
// display colour, round(colour x level / 255). The master is never changed.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>

namespace diglux {

// One channel: round(color x level / 255). An exact half cannot occur, since 255 is odd.
constexpr std::uint8_t TintLevel(int color, int level) {
    return static_cast<std::uint8_t>((2 * color * level + 255) / 510);
}

// A new image of the same size whose pixels are the picture's pixels tinted with color.
RgbImage ColorizePicture(const RgbImage& picture, Rgb color);

} // namespace diglux
