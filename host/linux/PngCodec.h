// PNG reading and writing through libpng: decoding into 8-bit RGB for the glyph maps, and
// deterministic encoding (no time stamp) for the artwork generator and screenshots.
#pragma once

#include "host/ImageDecoder.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace diglux {

class LibPngDecoder final : public ImageDecoder {
  public:
    RgbImage DecodePng(std::span<const std::uint8_t> bytes, std::string& error) const override;
};

// Encodes 8-bit grey pixels (width x height bytes, rows top-down); empty on failure.
std::vector<std::uint8_t> EncodeGreyPng(int width, int height, std::span<const std::uint8_t> grey);
// Encodes an RGB image as a 24-bit PNG; empty on failure.
std::vector<std::uint8_t> EncodeRgbPng(const RgbImage& image);
// Encodes RGBA pixels (width x height x 4 bytes); empty on failure.
std::vector<std::uint8_t> EncodeRgbaPng(int width, int height, std::span<const std::uint8_t> rgba);
// Encodes an 8-bit palette image: one palette index a pixel (width x height bytes, rows
// top-down) and 1 to 256 palette colours. Tries the row filters both off and adaptive and
// keeps the smaller file, so neighbouring indices should hold similar colours. Empty on
// failure, including an index outside the palette.
std::vector<std::uint8_t> EncodePalettePng(int width, int height,
                                           std::span<const std::uint8_t> indices,
                                           std::span<const Rgb> palette);

} // namespace diglux
