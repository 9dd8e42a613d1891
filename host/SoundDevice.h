// Plays one sound at a time from a WAVE image in memory; a new sound replaces the one
// playing.
#pragma once

#include <cstdint>
#include <span>

namespace diglux {

// How a sound is played. A sound that cannot be read plays nothing, never a default sound.
struct SoundFlags {
    bool async = false;  // return at once and let the sound play on; else when it has ended
    bool noWait = false; // give up instead of waiting when the device is busy (a new sound
                         // replaces the one playing, so the device is never busy)
};

class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    // Plays a RIFF WAVE image. The device copies what it needs before returning, so the
    // caller may release the bytes at once. False when nothing could be played.
    virtual bool PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) = 0;
    // Stops whatever this program is playing; nothing when silent.
    virtual void Stop() = 0;
};

} // namespace diglux
