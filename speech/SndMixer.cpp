#include "SndMixer.h"

#include <array>
#include <tuple>

namespace diglux {
namespace {

constexpr int kSoundOn = 0; // a mute switch at 0 lets the output sound

} // namespace

SndMixer::SndMixer(MixerDevice& device, const Settings& settings)
    : control_(device), settings_(settings) {}

void SndMixer::SetVolNew() {
    if (!settings_.Volume_Set) {
        return;
    }
    const bool save = !volumesSaved_;
    const std::array<std::tuple<MixerOutput, MixerControl, int*, int>, 4> steps{{
        {MixerOutput::Master, MixerControl::Mute, &saved_.masterMute, kSoundOn},
        {MixerOutput::Master, MixerControl::Volume, &saved_.master, settings_.Volume_Master},
        {MixerOutput::Wave, MixerControl::Mute, &saved_.waveMute, kSoundOn},
        {MixerOutput::Wave, MixerControl::Volume, &saved_.wave, settings_.Volume_Wave},
    }};
    for (const auto& [output, control, saved, value] : steps) {
        if (control_.Choose(output, control)) {
            if (save) {
                *saved = control_.Value();
            }
            control_.SetValue(value);
        }
    }
    volumesSaved_ = true;
}

void SndMixer::SetVolOld() {
    if (!settings_.Volume_Set || !volumesSaved_) {
        return;
    }
    const std::array<std::tuple<MixerOutput, MixerControl, int>, 4> steps{{
        {MixerOutput::Master, MixerControl::Mute, saved_.masterMute},
        {MixerOutput::Master, MixerControl::Volume, saved_.master},
        {MixerOutput::Wave, MixerControl::Mute, saved_.waveMute},
        {MixerOutput::Wave, MixerControl::Volume, saved_.wave},
    }};
    for (const auto& [output, control, value] : steps) {
        if (control_.Choose(output, control)) {
            control_.SetValue(value);
        }
    }
    volumesSaved_ = false;
}

} // namespace diglux
