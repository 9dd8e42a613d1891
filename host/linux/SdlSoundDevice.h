// Plays the clock's sounds through SDL2's audio (nothing else of SDL is started). A new
// sound replaces the one playing. The audio device, and with it SDL's audio thread and the
// sound server's client, exists only while a sound plays: it is opened for each sound and
// closed when the sound has ended (after the device's latency, so the end is heard) or is
// stopped. Samples are scaled by the program's own output gain. When SDL finds no device,
// every call returns false and nothing else happens. SDL itself is loaded on the first sound.
#pragma once

#include "host/SoundDevice.h"
#include "host/linux/SdlOutputGain.h"
#include "host/linux/SdlWave.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace diglux {

class SdlSoundDevice final : public SoundDevice {
  public:
    explicit SdlSoundDevice(const SdlOutputGain& gain);
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    // Whether SDL's audio can be started (loading SDL if it is not loaded yet).
    bool Usable();

    bool PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) override;
    void Stop() override;

  private:
    bool Play(PcmSound sound, bool async);
    // Opens SDL's audio and a device for the sound, queues it and starts playing.
    bool StartLocked(const PcmSound& sound);
    // Waits until the sound and the device latency have passed; false when stopped first.
    bool WaitForEndLocked(std::unique_lock<std::mutex>& lock, long milliseconds);
    void CloseLocked();
    void Watch(long milliseconds);

    const SdlOutputGain& gain_;
    std::mutex mutex_;
    std::condition_variable wake_;
    unsigned device_ = 0; // SDL_AudioDeviceID; 0 when closed
    long latencyMs_ = 0;
    bool stopping_ = false;
    std::thread watcher_; // closes the device after an asynchronous sound
};

} // namespace diglux
