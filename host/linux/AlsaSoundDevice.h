// Plays the clock's sounds through ALSA's default output: on a desktop with a sound server,
// ALSA's plugin for that server, else the sound card. A new sound replaces the one playing.
// The output, and with it the playing thread and the sound server's client, exists only while
// a sound plays: it is opened for each sound and closed once the sound has been heard or is
// stopped. The sound is written from its first sample on, so no silence goes ahead of it.
// Samples are scaled by the program's own output gain. WAVE images are read through SDL
// (SdlWave). Where nothing can be opened, every call returns false and nothing else happens.
#pragma once

#include "host/SoundDevice.h"
#include "host/linux/SdlOutputGain.h"
#include "host/linux/SdlWave.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace diglux {

class AlsaSoundDevice final : public SoundDevice {
  public:
    explicit AlsaSoundDevice(const SdlOutputGain& gain);
    ~AlsaSoundDevice() override;
    AlsaSoundDevice(const AlsaSoundDevice&) = delete;
    AlsaSoundDevice& operator=(const AlsaSoundDevice&) = delete;

    // Whether the output can be opened.
    bool Usable();

    bool PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) override;
    // Stops an asynchronous sound; a synchronous one has ended when its call returns.
    void Stop() override;

  private:
    // Writes the sound to the open output and waits until it has been heard (or until Stop),
    // then closes the output.
    void Play(snd_pcm_t* output, const PcmSound& sound);
    bool Write(snd_pcm_t* output, const PcmSound& sound);
    void WaitUntilHeard(snd_pcm_t* output, std::chrono::steady_clock::time_point end);

    const SdlOutputGain& gain_;
    std::mutex mutex_; // guards player_
    std::thread player_;
    std::atomic<bool> stopping_{false};
};

} // namespace diglux
