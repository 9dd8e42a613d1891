#include "SoundPlayer.h"

namespace diglux {

SoundPlayer::SoundPlayer(SoundDevice& device, const Resources& resources)
    : device_(device), resources_(resources) {}

SoundFlags SoundPlayer::ToDeviceFlags(std::uint32_t flags) {
    return {(flags & SND_ASYNC) != 0, (flags & SND_NODEFAULT) != 0, (flags & SND_NOWAIT) != 0};
}

void SoundPlayer::PlayFile(const std::string& fileName, std::uint32_t flags) {
    device_.PlayFile(fileName, ToDeviceFlags(flags | SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
}

void SoundPlayer::PlayRes(std::string_view resType, std::string_view resName, std::uint32_t flags) {
    const auto bytes = resources_.Load(resType, resName);
    if (!bytes.empty()) {
        device_.PlayWave(bytes, ToDeviceFlags(flags | SND_MEMORY | SND_NODEFAULT));
    }
}

void SoundPlayer::PlayMem(std::span<const std::uint8_t> data, std::uint32_t flags) {
    if (!data.empty()) {
        device_.PlayWave(data, ToDeviceFlags(flags | SND_MEMORY | SND_NODEFAULT));
    }
}

void SoundPlayer::StopSound() {
    device_.Stop();
}

} // namespace diglux
