// Raises the speaker and wave volumes (and switches their mutes off) while the clock makes a
// sound, and puts back what it found afterwards; both only when Volume.Set is on.
#pragma once

#include "host/MixerDevice.h"
#include "model/Settings.h"
#include "speech/SndMixerControl.h"

namespace diglux {

class SndMixer {
  public:
    SndMixer(MixerDevice& device, const Settings& settings);

    // Saves the four controls (unless already saved) and sets mutes off and the volumes to
    // Volume.Master and Volume.Wave.
    void SetVolNew();
    // Writes the saved values back, once per SetVolNew.
    void SetVolOld();
    // The mixer control the settings dialog labels and moves.
    SndMixerControl& Mixer() { return control_; }

  private:
    struct Saved {
        int masterMute = 0;
        int master = 0;
        int waveMute = 0;
        int wave = 0;
    };

    SndMixerControl control_;
    const Settings& settings_;
    bool volumesSaved_ = false;
    Saved saved_;
};

} // namespace diglux
