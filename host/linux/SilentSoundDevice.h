// The sound device of a machine without audio output: nothing is ever played, every play
// request reports failure, and stopping is harmless. The clock carries on silently.
#pragma once

#include "host/SoundDevice.h"

namespace diglux {

class SilentSoundDevice final : public SoundDevice {
  public:
    bool PlayWave(std::span<const std::uint8_t> /*wave*/, SoundFlags /*flags*/) override {
        return false;
    }
    bool PlayFile(const std::string& /*path*/, SoundFlags /*flags*/) override { return false; }
    void Stop() override {}
};

} // namespace diglux
