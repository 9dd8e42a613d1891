// The palette PNG encoder the artwork is stored with: what it writes decodes to the same
// pixels, and input it cannot represent gives no file rather than a wrong one.
#include "host/linux/PngCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace diglux {
namespace {

const std::vector<Rgb> kPalette = {{4, 2, 4}, {30, 30, 30}, {128, 128, 128}, {255, 255, 255}};

TEST(ArtPaletteCodec, EncodedImageDecodesToTheSamePixels) {
    const int width = 7; // odd, so rows are not a multiple of four bytes
    const int height = 5;
    std::vector<std::uint8_t> indices;
    RgbImage expected(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto index = static_cast<std::uint8_t>((x * 3 + y) % kPalette.size());
            indices.push_back(index);
            expected.Set(x, y, kPalette[index]);
        }
    }
    const auto png = EncodePalettePng(width, height, indices, kPalette);
    ASSERT_FALSE(png.empty());
    std::string error;
    EXPECT_EQ(LibPngDecoder().DecodePng(png, error), expected);
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(EncodePalettePng(width, height, indices, kPalette), png) << "deterministic";
}

TEST(ArtPaletteCodec, FullPaletteOf256ColoursIsAccepted) {
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        palette.push_back({level, level, level});
        indices.push_back(level);
    }
    const auto png = EncodePalettePng(16, 16, indices, palette);
    ASSERT_FALSE(png.empty());
    std::string error;
    const RgbImage decoded = LibPngDecoder().DecodePng(png, error);
    ASSERT_FALSE(decoded.Empty()) << error;
    EXPECT_EQ(decoded.At(15, 15), (Rgb{255, 255, 255}));
    EXPECT_EQ(decoded.At(3, 0), (Rgb{3, 3, 3}));
}

TEST(ArtPaletteCodec, UnrepresentableInputGivesNoFile) {
    const std::vector<std::uint8_t> indices(6, 1);
    EXPECT_TRUE(
        EncodePalettePng(3, 2, std::vector<std::uint8_t>{0, 1, 2, 3, 4, 0}, kPalette).empty())
        << "index past the palette";
    EXPECT_TRUE(EncodePalettePng(3, 2, indices, {}).empty()) << "no palette";
    EXPECT_TRUE(EncodePalettePng(3, 2, indices, std::vector<Rgb>(257)).empty()) << "too many";
    EXPECT_TRUE(EncodePalettePng(4, 2, indices, kPalette).empty()) << "size mismatch";
    EXPECT_TRUE(EncodePalettePng(0, 0, {}, kPalette).empty()) << "empty image";
}

} // namespace
} // namespace diglux
