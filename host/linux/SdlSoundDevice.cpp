#include "SdlSoundDevice.h"

#include "host/linux/AlsaLibrary.h"
#include "host/linux/SdlLibrary.h"

#include <chrono>

namespace diglux {
namespace {

constexpr Uint16 kBufferFrames = 1024;
// Besides the device's own buffer, the sound server holds about one more buffer; the margin
// covers scheduling.
constexpr long kLatencyMarginMs = 60;
constexpr auto kQueuePoll = std::chrono::milliseconds(5);

// Starts SDL's audio (loading SDL on the first call); false when it cannot start.
bool StartAudio() {
    const SdlAudioApi* sdl = LoadSdlAudio();
    if (sdl == nullptr) {
        return false;
    }
    // SDL falls back to ALSA when no sound server answers; its messages go through the
    // clock's own reporting, so the handler is set before SDL first opens ALSA.
    LoadAlsaMixer();
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Diglux");
    return sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
}

} // namespace

SdlSoundDevice::SdlSoundDevice(const SdlOutputGain& gain) : gain_(gain) {}

bool SdlSoundDevice::Usable() {
    std::lock_guard lock(mutex_);
    if (device_ != 0) {
        return true;
    }
    if (!StartAudio()) {
        return false;
    }
    LoadSdlAudio()->QuitSubSystem(SDL_INIT_AUDIO);
    return true;
}

SdlSoundDevice::~SdlSoundDevice() {
    Stop();
}

bool SdlSoundDevice::PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) {
    Stop(); // also when the new sound cannot be read
    auto sound = DecodeWave(wave);
    if (!sound) {
        return false;
    }
    return Play(std::move(*sound), flags.async);
}

void SdlSoundDevice::Stop() {
    std::thread watcher;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        watcher = std::move(watcher_);
    }
    wake_.notify_all();
    if (watcher.joinable()) {
        watcher.join();
    }
    std::lock_guard lock(mutex_);
    CloseLocked();
    stopping_ = false;
}

bool SdlSoundDevice::Play(PcmSound sound, bool async) {
    gain_.Apply(sound.samples);
    std::unique_lock lock(mutex_);
    if (!StartLocked(sound)) {
        CloseLocked();
        return false;
    }
    const long length = sound.Milliseconds();
    if (async) {
        watcher_ = std::thread([this, length] { Watch(length); });
        return true;
    }
    WaitForEndLocked(lock, length);
    CloseLocked();
    return true;
}

bool SdlSoundDevice::StartLocked(const PcmSound& sound) {
    if (!StartAudio()) {
        return false;
    }
    const SdlAudioApi& sdl = *LoadSdlAudio();
    SDL_AudioSpec want{};
    want.freq = sound.rate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(sound.channels);
    want.samples = kBufferFrames;
    SDL_AudioSpec have{};
    device_ = sdl.OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        sdl.QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    latencyMs_ = 2L * have.samples * 1000 / have.freq + kLatencyMarginMs;
    const auto bytes = static_cast<Uint32>(sound.samples.size() * sizeof(std::int16_t));
    if (sdl.QueueAudio(device_, sound.samples.data(), bytes) != 0) {
        return false;
    }
    sdl.PauseAudioDevice(device_, 0);
    return true;
}

bool SdlSoundDevice::WaitForEndLocked(std::unique_lock<std::mutex>& lock, long milliseconds) {
    const auto stopped = [this] { return stopping_; };
    if (wake_.wait_for(lock, std::chrono::milliseconds(milliseconds), stopped)) {
        return false;
    }
    while (LoadSdlAudio()->GetQueuedAudioSize(device_) > 0) {
        if (wake_.wait_for(lock, kQueuePoll, stopped)) {
            return false;
        }
    }
    return !wake_.wait_for(lock, std::chrono::milliseconds(latencyMs_), stopped);
}

void SdlSoundDevice::Watch(long milliseconds) {
    std::unique_lock lock(mutex_);
    if (WaitForEndLocked(lock, milliseconds)) {
        CloseLocked();
    }
}

void SdlSoundDevice::CloseLocked() {
    if (device_ != 0) {
        // A device exists only after SDL was loaded.
        const SdlAudioApi& sdl = *LoadSdlAudio();
        sdl.CloseAudioDevice(device_);
        device_ = 0;
        sdl.QuitSubSystem(SDL_INIT_AUDIO);
    }
}

} // namespace diglux
