// One control of the system mixer (an output's volume or mute switch), chosen by output and kind
// and read and written in percent of its range. A missing mixer, output or control makes every
// call do nothing and read 0. The first choice (the master volume) is made when the
// control is first used, not when it is created: asking the mixer means loading the sound
// system's libraries, which a clock that never changes a volume should not carry.
#pragma once

#include "host/MixerDevice.h"

#include <string>

namespace diglux {

class SndMixerControl {
  public:
    // Chooses the master volume, as the settings dialog first shows it, on first use.
    explicit SndMixerControl(MixerDevice& device) : device_(device) {}

    // Selects a control; false when the output or the control does not exist.
    bool Choose(MixerOutput output, MixerControl control);
    // The value in percent of the range, rounded half to even; 0 when it cannot be read.
    int Value() const;
    // Sets the value from a percent; values outside 0..100 are ignored.
    void SetValue(int percent);
    // The chosen output's name, the label of the volume controls.
    const std::string& ControlName() const;

  private:
    void ChooseFirst() const;
    bool ChooseNow(MixerOutput output, MixerControl control) const;

    MixerDevice& device_;
    // The members below are filled by the first choice on first use, hence mutable.
    mutable bool chosen_ = false;
    mutable MixerOutput output_ = MixerOutput::Master;
    mutable MixerControl control_ = MixerControl::Volume;
    mutable ControlBounds bounds_;
    mutable std::string outputName_;
    mutable bool success_ = false;
};

// numerator / denominator rounded to the nearest integer, halves to even; denominator > 0.
long long DivideRoundHalfEven(long long numerator, long long denominator);

} // namespace diglux
