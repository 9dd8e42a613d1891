// One control of the system mixer (a line's volume or mute switch), chosen by line and kind
// and read and written in percent of its range. A missing mixer, line or control makes every
// call do nothing and read 0.
#pragma once

#include "host/MixerDevice.h"

#include <string>

namespace diglux {

class SndMixerControl {
  public:
    // Chooses the speakers' volume, as the settings dialog first shows it.
    explicit SndMixerControl(MixerDevice& device);

    // Selects a control; false when the line or the control does not exist.
    bool Choose(MixerLine line, MixerControl control);
    // The value in percent of the range, rounded half to even; 0 when it cannot be read.
    int Value() const;
    // Sets the value from a percent; values outside 0..100 are ignored.
    void SetValue(int percent);
    // The chosen line's name, the label of the volume controls.
    const std::string& ControlName() const { return lineName_; }
    // The chosen control's name.
    const std::string& ChannelName() const { return controlName_; }
    // Whether the last Choose found the control.
    bool Success() const { return success_; }

  private:
    MixerDevice& device_;
    MixerLine line_ = MixerLine::Speakers;
    MixerControl control_ = MixerControl::Volume;
    ControlBounds bounds_;
    std::string lineName_;
    std::string controlName_;
    bool success_ = false;
};

// numerator / denominator rounded to the nearest integer, halves to even; denominator > 0.
long long DivideRoundHalfEven(long long numerator, long long denominator);

} // namespace diglux
