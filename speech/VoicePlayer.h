// Speaks times and dates by joining the word clips into one WAVE image and playing it.
//
// Not yet written: SagZeitX speaks nothing and returns false until the speech work lands
// (see DESIGN-NOTES.md, "Pending calls").
#pragma once

#include "speech/SoundPlayer.h"
#include "speech/Speech.h"

namespace diglux {

class VoicePlayer {
  public:
    explicit VoicePlayer(SoundPlayer& player);
    bool SagZeitX(const SagZeitRequest& request);

  private:
    SoundPlayer& player_;
};

} // namespace diglux
