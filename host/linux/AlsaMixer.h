// The system mixer through ALSA's simple mixer on the default card (the sound server's
// volume when one runs): the master output is "Master", its playback switch the mute
// (inverted: 1 is muted); the wave output is "PCM" where the card has it, else the program's
// own output gain, which the sound device applies. The mixer is opened for each call
// and closed again, so that the clock keeps no sound-server client between sounds. Without
// a card or a control every call finds nothing and changes nothing.
#pragma once

#include "host/MixerDevice.h"
#include "host/linux/SdlOutputGain.h"

#include <string>

namespace diglux {

class AlsaMixer final : public MixerDevice {
  public:
    explicit AlsaMixer(SdlOutputGain& gain, std::string card = "default");

    std::optional<ControlBounds> Bounds(MixerOutput output, MixerControl control) const override;
    std::optional<long> Get(MixerOutput output, MixerControl control) const override;
    bool Set(MixerOutput output, MixerControl control, long value) override;
    std::string OutputName(MixerOutput output) const override;

  private:
    SdlOutputGain& gain_;
    std::string card_;
};

} // namespace diglux
