#include "SdlWave.h"

#include "host/linux/SdlLibrary.h"

#include <algorithm>
#include <cstring>

namespace diglux {
namespace {

// Converts what SDL_LoadWAV read to signed 16-bit samples in the machine's byte order.
std::optional<PcmSound> ToPcm16(const SdlAudioApi& sdl, const SDL_AudioSpec& format,
                                const Uint8* data, Uint32 length) {
    SDL_AudioCVT cvt;
    if (sdl.BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_S16SYS,
                          format.channels, format.freq) < 0) {
        return std::nullopt;
    }
    if (length == 0) { // SDL gives no buffer for a file without samples: nothing to copy
        return PcmSound{format.freq, format.channels, {}};
    }
    std::vector<Uint8> buffer(static_cast<std::size_t>(length) *
                              static_cast<unsigned>(cvt.len_mult));
    std::memcpy(buffer.data(), data, length);
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed && sdl.ConvertAudio(&cvt) < 0) {
        return std::nullopt;
    }
    const std::size_t bytes = cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : length;
    PcmSound sound{format.freq, format.channels, std::vector<std::int16_t>(bytes / 2)};
    // Less than one sample leaves no vector storage; copy_n copies nothing then.
    std::copy_n(buffer.data(), sound.samples.size() * 2,
                reinterpret_cast<Uint8*>(sound.samples.data()));
    return sound;
}

std::optional<PcmSound> Decode(const SdlAudioApi& sdl, SDL_RWops* source) {
    if (source == nullptr) {
        return std::nullopt;
    }
    SDL_AudioSpec format;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (sdl.LoadWAV_RW(source, 1, &format, &data, &length) == nullptr) {
        return std::nullopt;
    }
    auto sound = ToPcm16(sdl, format, data, length);
    sdl.FreeWAV(data);
    if (sound && (sound->channels < 1 || sound->rate < 1)) {
        return std::nullopt;
    }
    return sound;
}

} // namespace

long PcmSound::Milliseconds() const {
    const auto frames = static_cast<long>(samples.size()) / channels;
    return frames * 1000 / rate;
}

std::optional<PcmSound> DecodeWave(std::span<const std::uint8_t> wave) {
    const SdlAudioApi* sdl = LoadSdlAudio();
    if (wave.empty() || sdl == nullptr) {
        return std::nullopt;
    }
    return Decode(*sdl, sdl->RWFromConstMem(wave.data(), static_cast<int>(wave.size())));
}

} // namespace diglux
