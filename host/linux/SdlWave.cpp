#include "SdlWave.h"

#include "host/linux/SdlLibrary.h"

#include <algorithm>
#include <climits>
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

std::uint32_t Le(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

// Whether a format chunk's first 16 bytes describe 16-bit PCM that can be played as it is.
bool PlainPcm16(const std::uint8_t* format) {
    const std::uint32_t channels = Le(format + 2, 2);
    const std::uint32_t rate = Le(format + 4, 4);
    return Le(format, 2) == 1 && Le(format + 14, 2) == 16 && channels >= 1 && channels <= 8 &&
           Le(format + 12, 2) == 2 * channels && rate >= 1 && rate <= INT_MAX;
}

// The samples of a plain image, read here without SDL: 16-bit PCM, the format chunk before the
// data chunk and every chunk up to the data within the bytes, as all of the clock's own sounds
// are. Empty for anything else, which SDL reads.
std::optional<PcmSound> ReadPlainPcm16(std::span<const std::uint8_t> wave) {
    if (wave.size() < 12 || std::memcmp(wave.data(), "RIFF", 4) != 0 ||
        std::memcmp(wave.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    const std::uint8_t* format = nullptr;
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::uint8_t* chunk = wave.data() + at;
        const std::size_t length = Le(chunk + 4, 4);
        if (length > wave.size() - at - 8) {
            return std::nullopt;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0 && length >= 16) {
            format = chunk + 8;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (format == nullptr || !PlainPcm16(format)) {
                return std::nullopt;
            }
            const auto channels = static_cast<int>(Le(format + 2, 2));
            PcmSound sound{static_cast<int>(Le(format + 4, 4)), channels,
                           std::vector<std::int16_t>(length / (2 * channels) * channels)};
            for (std::size_t i = 0; i < sound.samples.size(); ++i) {
                sound.samples[i] = static_cast<std::int16_t>(Le(chunk + 8 + 2 * i, 2));
            }
            return sound;
        }
        at += 8 + length + length % 2;
    }
    return std::nullopt;
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
    if (auto sound = ReadPlainPcm16(wave)) {
        return sound;
    }
    const SdlAudioApi* sdl = LoadSdlAudio();
    if (wave.empty() || sdl == nullptr) {
        return std::nullopt;
    }
    return Decode(*sdl, sdl->RWFromConstMem(wave.data(), static_cast<int>(wave.size())));
}

} // namespace diglux
