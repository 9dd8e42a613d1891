// PNG decoding through libpng: any bytes; a picture that decodes must encode again and decode
// to the same pixels.
#include "host/linux/PngCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const diglux::LibPngDecoder decoder;
    std::string error;
    const diglux::RgbImage image = decoder.DecodePng({data, size}, error);
    if (!image.Empty() && decoder.DecodePng(diglux::EncodeRgbPng(image), error) != image) {
        std::abort();
    }
    return 0;
}
