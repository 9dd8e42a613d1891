// WAVE images: any bytes as one sound for the reader (plain 16-bit PCM read directly, anything
// else by SDL's reader and the conversion to 16-bit samples),
// and as two clips joined the way announcements are (the first clip's 44-byte header, then
// every clip's samples, both sizes set to the joined length).
#include "host/linux/SdlWave.h"
#include "speech/WaveImage.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// SDL allocates the length a chunk states before it reads the chunk, which under ASan makes
// a few bytes that claim gigabytes take seconds and count as running out of memory. Images
// with a chunk stating more than 64 KB beyond the bytes are left out (cut-off ones are read).
// The chunks follow the RIFF header, or start at once after "WAVE" where SDL finds no header.
bool ChunksFit(std::span<const std::uint8_t> wave) {
    const bool bare = wave.size() >= 4 && std::memcmp(wave.data(), "WAVE", 4) == 0;
    for (std::size_t at = bare ? 4 : 12; at + 8 <= wave.size();) {
        const auto length = wave[at + 4] | wave[at + 5] << 8 | wave[at + 6] << 16 |
                            static_cast<std::size_t>(wave[at + 7]) << 24;
        if (length > wave.size() - at + 65536) {
            return false;
        }
        at += 8 + length + length % 2;
    }
    return true;
}

void Decode(std::span<const std::uint8_t> wave) {
    const auto sound = ChunksFit(wave) ? diglux::DecodeWave(wave) : std::nullopt;
    if (sound && sound->Milliseconds() < 0) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    Decode(bytes);
    diglux::WaveImage image;
    image.Append(bytes);
    image.Append(bytes);
    Decode(image.Finish());
    return 0;
}
