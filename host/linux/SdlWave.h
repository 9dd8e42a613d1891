// Reads a RIFF WAVE image or file into signed 16-bit samples of the file's own rate and channel
// count, ready to play: plain 16-bit PCM (every sound of the clock's own) directly, anything else
// through SDL, which is loaded then.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace diglux {

struct PcmSound {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples; // interleaved

    // Playing time in milliseconds.
    long Milliseconds() const;
};

// Empty when the bytes are no WAVE image SDL can read.
std::optional<PcmSound> DecodeWave(std::span<const std::uint8_t> wave);

} // namespace diglux
