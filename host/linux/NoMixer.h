// The mixer of a machine without one: no line has any control, so the volume code finds
// nothing to read or set and leaves the volume alone.
#pragma once

#include "host/MixerDevice.h"

namespace diglux {

class NoMixer final : public MixerDevice {
  public:
    std::optional<ControlBounds> Bounds(MixerLine /*line*/,
                                        MixerControl /*control*/) const override {
        return std::nullopt;
    }
    std::optional<long> Get(MixerLine /*line*/, MixerControl /*control*/) const override {
        return std::nullopt;
    }
    bool Set(MixerLine /*line*/, MixerControl /*control*/, long /*value*/) override {
        return false;
    }
};

} // namespace diglux
