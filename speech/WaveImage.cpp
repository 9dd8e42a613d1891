#include "WaveImage.h"

namespace diglux {
namespace {

void PutUint32(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace

void WaveImage::Append(std::span<const std::uint8_t> clip) {
    if (clip.size() < kWaveHeaderSize) {
        return;
    }
    if (bytes_.empty()) {
        bytes_.assign(clip.begin(), clip.begin() + kWaveHeaderSize);
    }
    bytes_.insert(bytes_.end(), clip.begin() + kWaveHeaderSize, clip.end());
}

const std::vector<std::uint8_t>& WaveImage::Finish() {
    if (!bytes_.empty()) {
        PutUint32(bytes_, 4, bytes_.size() - 8);
        PutUint32(bytes_, 40, bytes_.size() - kWaveHeaderSize);
    }
    return bytes_;
}

} // namespace diglux
