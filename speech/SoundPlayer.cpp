#include "SoundPlayer.h"

namespace diglux {

SoundPlayer::SoundPlayer(SoundDevice& device, const Resources& resources, const FileSystem* files)
    : device_(device), resources_(resources), files_(files) {}

void SoundPlayer::PlayFile(const std::string& fileName, SoundFlags flags) {
    std::string bytes;
    if (files_ == nullptr || !files_->ReadFile(fileName, bytes) || bytes.empty()) {
        return;
    }
    flags.async = true;
    device_.PlayWave({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, flags);
}

void SoundPlayer::PlayRes(std::string_view resType, std::string_view resName, SoundFlags flags) {
    const auto bytes = resources_.Load(resType, resName);
    if (!bytes.empty()) {
        device_.PlayWave(bytes, flags);
    }
}

void SoundPlayer::PlayMem(std::span<const std::uint8_t> data, SoundFlags flags) {
    if (!data.empty()) {
        device_.PlayWave(data, flags);
    }
}

void SoundPlayer::StopSound() {
    device_.Stop();
}

} // namespace diglux
