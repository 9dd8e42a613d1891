// The system mixer as the volume code sees it: two lines, each with a volume and a mute
// control that may or may not exist. A mute control is 1 when muted, 0 when the line sounds.
#pragma once

#include <optional>
#include <string>

namespace diglux {

enum class MixerLine { Speakers, WaveOut };
enum class MixerControl { Volume, Mute };

struct ControlBounds {
    long minimum = 0;
    long maximum = 0;
};

class MixerDevice {
  public:
    virtual ~MixerDevice() = default;
    // The control's range; empty when the line or the control does not exist.
    virtual std::optional<ControlBounds> Bounds(MixerLine line, MixerControl control) const = 0;
    // The control's current value; empty when it cannot be read.
    virtual std::optional<long> Get(MixerLine line, MixerControl control) const = 0;
    // Sets the control (clamped to its bounds); false when it cannot be set.
    virtual bool Set(MixerLine line, MixerControl control, long value) = 0;
    // The line's name as the mixer shows it (for labels); empty when it does not exist.
    virtual std::string LineName(MixerLine /*line*/) const { return {}; }
    // The control's name as the mixer shows it; empty when it does not exist.
    virtual std::string ControlName(MixerLine /*line*/, MixerControl /*control*/) const {
        return {};
    }
};

} // namespace diglux
