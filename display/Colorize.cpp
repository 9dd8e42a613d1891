#include "Colorize.h"

#include <array>

namespace diglux {
namespace {

using LevelTable = std::array<std::uint8_t, 256>;

LevelTable MakeTable(int color) {
    LevelTable table{};
    for (int level = 0; level < 256; ++level) {
        table[static_cast<std::size_t>(level)] = TintLevel(color, level);
    }
    return table;
}

} // namespace

RgbImage ColorizePicture(const RgbImage& picture, Rgb color) {
    // Three 256-entry tables turn the per-pixel arithmetic into lookups.
    const LevelTable red = MakeTable(color.r);
    const LevelTable green = MakeTable(color.g);
    const LevelTable blue = MakeTable(color.b);
    RgbImage result(picture.Width(), picture.Height());
    const std::uint8_t* in = picture.Data();
    std::uint8_t* out = result.Data();
    const std::size_t bytes = picture.ByteSize();
    for (std::size_t i = 0; i < bytes; i += 3) {
        out[i] = red[in[i]];
        out[i + 1] = green[in[i + 1]];
        out[i + 2] = blue[in[i + 2]];
    }
    return result;
}

} // namespace diglux
