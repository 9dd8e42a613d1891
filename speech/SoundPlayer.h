// The only place the clock makes sound: a WAVE file, a WAVE resource of the program, a WAVE
// image in memory, and stopping. Every failure is silent.
#pragma once

#include "host/Resources.h"
#include "host/SoundDevice.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace diglux {

// The play flags the callers pass, with the values the program uses for them.
enum SoundFlag : std::uint32_t {
    SND_SYNC = 0x0000,
    SND_ASYNC = 0x0001,
    SND_NODEFAULT = 0x0002,
    SND_MEMORY = 0x0004,
    SND_PURGE = 0x0040,
    SND_NOWAIT = 0x2000,
    SND_FILENAME = 0x20000,
};

class SoundPlayer {
  public:
    SoundPlayer(SoundDevice& device, const Resources& resources);

    // Plays a WAV file asynchronously when it exists.
    void PlayFile(const std::string& fileName, std::uint32_t flags);
    // Plays a WAV resource; without SND_ASYNC the call returns when the sound has ended.
    void PlayRes(std::string_view resType, std::string_view resName, std::uint32_t flags);
    // Plays a WAVE image held in memory; empty data is ignored.
    void PlayMem(std::span<const std::uint8_t> data, std::uint32_t flags);
    // Stops any sound that is playing.
    void StopSound();

  private:
    static SoundFlags ToDeviceFlags(std::uint32_t flags);

    SoundDevice& device_;
    const Resources& resources_;
};

} // namespace diglux
