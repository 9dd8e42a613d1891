// Joins PCM WAVE clips of one format into one WAVE image: the first clip's 44-byte header,
// then every clip's sample data, with the RIFF and data sizes set to the joined length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace diglux {

// Length of the canonical header the clips are written with; samples start here.
inline constexpr std::size_t kWaveHeaderSize = 44;

class WaveImage {
  public:
    // Appends a clip (header and samples); the first clip also gives the header.
    void Append(std::span<const std::uint8_t> clip);
    bool Empty() const { return bytes_.empty(); }
    // The joined image with both sizes fixed.
    const std::vector<std::uint8_t>& Finish();

  private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace diglux
