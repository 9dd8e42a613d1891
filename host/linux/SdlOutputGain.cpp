#include "SdlOutputGain.h"

#include <algorithm>

namespace diglux {

void SdlOutputGain::SetVolume(long volume) {
    volume_.store(std::clamp(volume, 0L, kMaximum));
}

void SdlOutputGain::Apply(std::span<std::int16_t> samples) const {
    const long volume = Muted() ? 0 : Volume();
    if (volume == kMaximum) {
        return;
    }
    for (std::int16_t& sample : samples) {
        sample = static_cast<std::int16_t>(sample * volume / kMaximum);
    }
}

} // namespace diglux
