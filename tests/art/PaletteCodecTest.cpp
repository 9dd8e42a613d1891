// The palette PNG encoder the artwork is stored with: what it writes decodes to the same
// pixels, and input it cannot represent gives no file rather than a wrong one.
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

TEST(ArtPaletteCodec, UnrepresentableInputGivesNoFile) {
    const std::vector<Rgb> palette = {{4, 2, 4}, {30, 30, 30}, {128, 128, 128}, {255, 255, 255}};
    const std::vector<std::uint8_t> indices(6, 1);
    EXPECT_TRUE(
        EncodePalettePng(3, 2, std::vector<std::uint8_t>{0, 1, 2, 3, 4, 0}, palette).empty())
        << "index too big";
    EXPECT_TRUE(EncodePalettePng(3, 2, indices, {}).empty()) << "no palette";
    EXPECT_TRUE(EncodePalettePng(3, 2, indices, std::vector<Rgb>(257)).empty()) << "too many";
    EXPECT_TRUE(EncodePalettePng(4, 2, indices, palette).empty()) << "size mismatch";
    EXPECT_TRUE(EncodePalettePng(0, 0, {}, palette).empty()) << "empty image";
}

} // namespace
} // namespace diglux
