#include "AlsaSoundDevice.h"

#include "host/linux/AlsaLibrary.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace diglux {
namespace {

// The output's buffer. The whole of it is handed over at once, so it adds nothing before the
// first sample; it only has to outlast a late turn of the playing thread.
constexpr unsigned kBufferMicroseconds = 100000;
// One write; Stop waits for at most one (about 46 ms at 22 kHz).
constexpr snd_pcm_uframes_t kChunkFrames = 1024;
constexpr auto kPoll = std::chrono::milliseconds(5);
// Longer than any output takes, after the sound's length, to play what it holds, should it never
// report the end.
constexpr auto kMaxDrain = std::chrono::seconds(1);

// The default output set up for the sound; null when it cannot be.
snd_pcm_t* OpenOutput(const AlsaPcmApi& alsa, const PcmSound& sound) {
    snd_pcm_t* output = nullptr;
    if (alsa.pcm_open(&output, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        // The configuration is read again next time: a sound server may have started since.
        alsa.config_update_free_global();
        return nullptr;
    }
    if (alsa.pcm_set_params(output, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                            static_cast<unsigned>(sound.channels),
                            static_cast<unsigned>(sound.rate), 1, kBufferMicroseconds) < 0) {
        alsa.pcm_close(output);
        return nullptr;
    }
    return output;
}

} // namespace

AlsaSoundDevice::AlsaSoundDevice(const SdlOutputGain& gain) : gain_(gain) {}

AlsaSoundDevice::~AlsaSoundDevice() {
    Stop();
}

bool AlsaSoundDevice::Usable() {
    const AlsaPcmApi* alsa = LoadAlsaPcm();
    snd_pcm_t* output = alsa == nullptr ? nullptr : OpenOutput(*alsa, {22050, 1, {}});
    if (output != nullptr) {
        alsa->pcm_close(output);
    }
    return output != nullptr;
}

bool AlsaSoundDevice::PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) {
    Stop(); // also when the new sound cannot be read
    auto sound = DecodeWave(wave);
    const AlsaPcmApi* alsa = LoadAlsaPcm();
    if (!sound || sound->channels < 1 || alsa == nullptr) {
        return false;
    }
    snd_pcm_t* output = OpenOutput(*alsa, *sound);
    if (output == nullptr) {
        return false;
    }
    gain_.Apply(sound->samples);
    if (!flags.async) {
        Play(output, *sound);
        return true;
    }
    std::lock_guard lock(mutex_);
    player_ = std::thread([this, output, sound = std::move(*sound)] { Play(output, sound); });
    return true;
}

void AlsaSoundDevice::Stop() {
    std::thread player;
    {
        std::lock_guard lock(mutex_);
        player = std::move(player_);
    }
    if (player.joinable()) {
        stopping_ = true;
        player.join();
        stopping_ = false;
    }
}

void AlsaSoundDevice::Play(snd_pcm_t* output, const PcmSound& sound) {
    const AlsaPcmApi& alsa = *LoadAlsaPcm();
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(sound.Milliseconds());
    if (Write(output, sound)) {
        WaitUntilHeard(output, end);
    }
    alsa.pcm_drop(output);
    alsa.pcm_close(output);
}

bool AlsaSoundDevice::Write(snd_pcm_t* output, const PcmSound& sound) {
    const AlsaPcmApi& alsa = *LoadAlsaPcm();
    const auto channels = static_cast<std::size_t>(sound.channels);
    const std::size_t frames = sound.samples.size() / channels;
    std::size_t done = 0;
    while (done < frames) {
        if (stopping_) {
            return false;
        }
        const snd_pcm_uframes_t chunk = std::min<std::size_t>(kChunkFrames, frames - done);
        const snd_pcm_sframes_t written =
            alsa.pcm_writei(output, sound.samples.data() + done * channels, chunk);
        // After an underrun the output takes the rest once prepared again. Any other error, or
        // one there, means the output has gone (a sound server that ended, say), which is no
        // news worth a line on stderr (snd_pcm_recover would print the failed prepare).
        if (written == -EINTR || (written == -EPIPE && alsa.pcm_prepare(output) == 0)) {
            continue;
        }
        if (written < 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

void AlsaSoundDevice::WaitUntilHeard(snd_pcm_t* output, std::chrono::steady_clock::time_point end) {
    const AlsaPcmApi& alsa = *LoadAlsaPcm();
    // A sound shorter than the buffer has not started by itself.
    if (alsa.pcm_state(output) == SND_PCM_STATE_PREPARED) {
        alsa.pcm_start(output);
    }
    // At least the sound's length, and until the output has played what it was given: it
    // reports an underrun then, or no delay. (A sound server reports it once the sound has gone
    // to its card, a little before the end is heard.)
    const auto playing = [&alsa, output] {
        snd_pcm_sframes_t delay = 0;
        return alsa.pcm_state(output) == SND_PCM_STATE_RUNNING &&
               alsa.pcm_delay(output, &delay) == 0 && delay > 0;
    };
    const auto deadline = end + kMaxDrain;
    for (auto now = std::chrono::steady_clock::now(); !stopping_ && now < deadline;
         now = std::chrono::steady_clock::now()) {
        if (now >= end && !playing()) {
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

} // namespace diglux
