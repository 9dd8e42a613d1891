#include "SndMixer.h"

#include <array>
#include <tuple>

namespace diglux {
namespace {

constexpr int kSoundOn = 0; // a mute switch at 0 lets the line sound

} // namespace

SndMixer::SndMixer(MixerDevice& device, const ClockState& state)
    : control_(device), state_(state) {}

void SndMixer::SetVolNew() {
    if (!state_.Volume_Set) {
        return;
    }
    const bool save = !volumesSaved_;
    const std::array<std::tuple<MixerLine, MixerControl, int*, int>, 4> steps{{
        {MixerLine::Speakers, MixerControl::Mute, &saved_.masterMute, kSoundOn},
        {MixerLine::Speakers, MixerControl::Volume, &saved_.master, state_.Volume_Master},
        {MixerLine::WaveOut, MixerControl::Mute, &saved_.waveMute, kSoundOn},
        {MixerLine::WaveOut, MixerControl::Volume, &saved_.wave, state_.Volume_Wave},
    }};
    for (const auto& [line, control, saved, value] : steps) {
        if (control_.Choose(line, control)) {
            if (save) {
                *saved = control_.Value();
            }
            control_.SetValue(value);
        }
    }
    volumesSaved_ = true;
}

void SndMixer::SetVolOld() {
    if (!state_.Volume_Set || !volumesSaved_) {
        return;
    }
    const std::array<std::tuple<MixerLine, MixerControl, int>, 4> steps{{
        {MixerLine::Speakers, MixerControl::Mute, saved_.masterMute},
        {MixerLine::Speakers, MixerControl::Volume, saved_.master},
        {MixerLine::WaveOut, MixerControl::Mute, saved_.waveMute},
        {MixerLine::WaveOut, MixerControl::Volume, saved_.wave},
    }};
    for (const auto& [line, control, value] : steps) {
        if (control_.Choose(line, control)) {
            control_.SetValue(value);
        }
    }
    volumesSaved_ = false;
}

} // namespace diglux
