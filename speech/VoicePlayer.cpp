#include "VoicePlayer.h"

namespace diglux {

VoicePlayer::VoicePlayer(SoundPlayer& player) : player_(player) {}

// Pending: the clip joining comes with the speech work.
bool VoicePlayer::SagZeitX(const SagZeitRequest&) {
    return false;
}

} // namespace diglux
