// Turns an image file's bytes into RGB pixels.
#pragma once

#include "HostTypes.h"

#include <cstdint>
#include <span>
#include <string>

namespace diglux {

class ImageDecoder {
  public:
    virtual ~ImageDecoder() = default;
    // Decodes a PNG (grey, palette or colour, any bit depth) into 8-bit RGB. On failure
    // returns an empty image and puts the reason into error.
    virtual RgbImage DecodePng(std::span<const std::uint8_t> bytes, std::string& error) const = 0;
};

} // namespace diglux
