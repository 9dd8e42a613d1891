// The program's own output volume and mute, for sound cards whose mixer has no "PCM"
// control: the ALSA mixer presents it as the wave line, and the sound device scales the
// samples it plays by it. Shared between the two; safe to use from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

namespace diglux {

class SdlOutputGain {
  public:
    static constexpr long kMaximum = 65535;

    long Volume() const { return volume_.load(); }
    // Clamped to 0..kMaximum.
    void SetVolume(long volume);
    bool Muted() const { return muted_.load(); }
    void SetMuted(bool muted) { muted_.store(muted); }
    // Scales signed 16-bit samples in place by the volume; silence when muted.
    void Apply(std::span<std::int16_t> samples) const;

  private:
    std::atomic<long> volume_{kMaximum};
    std::atomic<bool> muted_{false};
};

} // namespace diglux
