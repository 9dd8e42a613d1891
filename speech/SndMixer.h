// Raises the mixer volume for an announcement and restores it afterwards.
//
// Not yet connected to the mixer: both calls keep their places in the tick and the alarm and
// change nothing until the mixer work lands (see DESIGN-NOTES.md, "Pending calls").
#pragma once

#include "app/ClockState.h"
#include "host/MixerDevice.h"

namespace diglux {

class SndMixer {
  public:
    SndMixer(MixerDevice& device, const ClockState& state);
    void SetVolNew();
    void SetVolOld();

  private:
    MixerDevice& device_;
    const ClockState& state_;
};

} // namespace diglux
