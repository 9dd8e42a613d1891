// The system mixer as the volume code sees it: the master output and the output of played
// sounds (wave), each with a volume and a mute control that may or may not exist. A mute
// control is 1 when muted, 0 when the output sounds.
#pragma once

#include <optional>
#include <string>

namespace diglux {

enum class MixerOutput { Master, Wave };
enum class MixerControl { Volume, Mute };

struct ControlBounds {
    long minimum = 0;
    long maximum = 0;
};

class MixerDevice {
  public:
    virtual ~MixerDevice() = default;
    // The control's range; empty when the output or the control does not exist.
    virtual std::optional<ControlBounds> Bounds(MixerOutput output, MixerControl control) const = 0;
    // The control's current value; empty when it cannot be read.
    virtual std::optional<long> Get(MixerOutput output, MixerControl control) const = 0;
    // Sets the control (clamped to its bounds); false when it cannot be set.
    virtual bool Set(MixerOutput output, MixerControl control, long value) = 0;
    // The output's name as the mixer shows it (for labels); empty when it does not exist.
    virtual std::string OutputName(MixerOutput /*output*/) const { return {}; }
};

} // namespace diglux
