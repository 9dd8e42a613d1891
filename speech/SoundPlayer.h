// The only place the clock makes sound: a WAVE file, a WAVE resource of the program, a WAVE
// image in memory, and stopping. Every failure is silent.
#pragma once

#include "host/FileSystem.h"
#include "host/Resources.h"
#include "host/SoundDevice.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace diglux {

// The resource types of the sounds and of the word clips.
inline constexpr const char* kSoundResType = "SOUNDS";
inline constexpr const char* kVoiceResType = "VOICE1";

class SoundPlayer {
  public:
    // Without files, PlayFile plays nothing.
    SoundPlayer(SoundDevice& device, const Resources& resources, const FileSystem* files);

    // Plays a WAV file asynchronously when it exists (a regular file of this user, not
    // through a link); otherwise nothing happens and a sound that plays goes on.
    void PlayFile(const std::string& fileName, SoundFlags flags = {});
    // Plays a WAV resource; unless flags.async the call returns when the sound has ended.
    void PlayRes(std::string_view resType, std::string_view resName, SoundFlags flags = {});
    // Plays a WAVE image held in memory; empty data is ignored.
    void PlayMem(std::span<const std::uint8_t> data, SoundFlags flags);
    // Stops any sound that is playing.
    void StopSound();

  private:
    SoundDevice& device_;
    const Resources& resources_;
    const FileSystem* files_;
};

} // namespace diglux
