// The palette PNG encoder the artwork generator stores the maps with: what it writes decodes
// to the same pixels.
#include "host/linux/PngCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace diglux {
namespace {

TEST(ArtPaletteCodec, EncodedImagesDecodeToTheSamePixels) {
    // A full palette of 256 grey levels, and an odd width so that rows are not a multiple of
    // four bytes.
    std::vector<Rgb> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7});
    }
    const int width = 17;
    const int height = 16;
    std::vector<std::uint8_t> indices;
    RgbImage expected(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto index = static_cast<std::uint8_t>((x * 15 + y) % 256);
            indices.push_back(index);
            expected.Set(x, y, palette[index]);
        }
    }
    const auto png = EncodePalettePng(width, height, indices, palette);
    std::string error;
    EXPECT_EQ(LibPngDecoder().DecodePng(png, error), expected) << error;
    EXPECT_EQ(EncodePalettePng(width, height, indices, palette), png) << "deterministic";
}

} // namespace
} // namespace diglux
