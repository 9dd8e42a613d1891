#include "SndMixer.h"

namespace diglux {

SndMixer::SndMixer(MixerDevice& device, const ClockState& state) : device_(device), state_(state) {}

// Pending: the mixer arithmetic and the save/restore order come with the mixer work.
void SndMixer::SetVolNew() {}
void SndMixer::SetVolOld() {}

} // namespace diglux
