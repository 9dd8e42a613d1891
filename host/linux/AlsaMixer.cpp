#include "AlsaMixer.h"

#include "AlsaLibrary.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace diglux {
namespace {

constexpr const char* kMaster = "Master";
constexpr const char* kPcm = "PCM";
constexpr const char* kOwnWave = "Wave";

// The default card's simple mixer, open for one call; closed (and finding nothing) when
// the library cannot be loaded.
class OpenMixer {
  public:
    explicit OpenMixer(const std::string& card) : alsa_(LoadAlsaMixer()) {
        if (alsa_ == nullptr || alsa_->mixer_open(&handle_, 0) < 0) {
            handle_ = nullptr;
            return;
        }
        if (alsa_->mixer_attach(handle_, card.c_str()) < 0 ||
            alsa_->mixer_selem_register(handle_, nullptr, nullptr) < 0 ||
            alsa_->mixer_load(handle_) < 0) {
            alsa_->mixer_close(handle_);
            handle_ = nullptr;
        }
    }
    ~OpenMixer() {
        if (handle_ != nullptr) {
            alsa_->mixer_close(handle_);
        }
    }
    OpenMixer(const OpenMixer&) = delete;
    OpenMixer& operator=(const OpenMixer&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    // The functions; only while the mixer is open.
    const AlsaMixerApi& Alsa() const { return *alsa_; }
    snd_mixer_elem_t* Find(const char* name) const {
        if (handle_ == nullptr) {
            return nullptr;
        }
        std::vector<unsigned char> storage(alsa_->mixer_selem_id_sizeof());
        auto* id = reinterpret_cast<snd_mixer_selem_id_t*>(storage.data());
        alsa_->mixer_selem_id_set_index(id, 0);
        alsa_->mixer_selem_id_set_name(id, name);
        return alsa_->mixer_find_selem(handle_, id);
    }
    bool HasControl(snd_mixer_elem_t* elem, MixerControl control) const {
        return elem != nullptr && (control == MixerControl::Volume
                                       ? alsa_->mixer_selem_has_playback_volume(elem) != 0
                                       : alsa_->mixer_selem_has_playback_switch(elem) != 0);
    }

  private:
    const AlsaMixerApi* alsa_;
    snd_mixer_t* handle_ = nullptr;
};

// The ALSA element behind a output's control; null when the own gain stands in for it (the
// wave output without "PCM") or when there is none.
snd_mixer_elem_t* ElementFor(const OpenMixer& mixer, MixerOutput output, MixerControl control) {
    snd_mixer_elem_t* elem = mixer.Find(output == MixerOutput::Master ? kMaster : kPcm);
    return mixer.HasControl(elem, control) ? elem : nullptr;
}

ControlBounds ElementBounds(const OpenMixer& mixer, snd_mixer_elem_t* elem, MixerControl control) {
    if (control == MixerControl::Mute) {
        return {0, 1};
    }
    long minimum = 0;
    long maximum = 0;
    mixer.Alsa().mixer_selem_get_playback_volume_range(elem, &minimum, &maximum);
    return {minimum, maximum};
}

} // namespace

AlsaMixer::AlsaMixer(SdlOutputGain& gain, std::string card) : gain_(gain), card_(std::move(card)) {}

std::optional<ControlBounds> AlsaMixer::Bounds(MixerOutput output, MixerControl control) const {
    const OpenMixer mixer(card_);
    if (snd_mixer_elem_t* elem = ElementFor(mixer, output, control)) {
        return ElementBounds(mixer, elem, control);
    }
    if (output == MixerOutput::Wave && mixer.IsOpen()) {
        return control == MixerControl::Volume ? ControlBounds{0, SdlOutputGain::kMaximum}
                                               : ControlBounds{0, 1};
    }
    return std::nullopt;
}

std::optional<long> AlsaMixer::Get(MixerOutput output, MixerControl control) const {
    const OpenMixer mixer(card_);
    if (snd_mixer_elem_t* elem = ElementFor(mixer, output, control)) {
        long value = 0;
        if (control == MixerControl::Volume) {
            mixer.Alsa().mixer_selem_get_playback_volume(elem, SND_MIXER_SCHN_FRONT_LEFT, &value);
            return value;
        }
        int on = 1;
        mixer.Alsa().mixer_selem_get_playback_switch(elem, SND_MIXER_SCHN_FRONT_LEFT, &on);
        return on != 0 ? 0 : 1;
    }
    if (output == MixerOutput::Wave && mixer.IsOpen()) {
        return control == MixerControl::Volume ? gain_.Volume() : (gain_.Muted() ? 1 : 0);
    }
    return std::nullopt;
}

bool AlsaMixer::Set(MixerOutput output, MixerControl control, long value) {
    const OpenMixer mixer(card_);
    if (snd_mixer_elem_t* elem = ElementFor(mixer, output, control)) {
        const ControlBounds bounds = ElementBounds(mixer, elem, control);
        value = std::clamp(value, bounds.minimum, bounds.maximum);
        if (control == MixerControl::Volume) {
            return mixer.Alsa().mixer_selem_set_playback_volume_all(elem, value) == 0;
        }
        return mixer.Alsa().mixer_selem_set_playback_switch_all(elem, value == 0 ? 1 : 0) == 0;
    }
    if (output != MixerOutput::Wave || !mixer.IsOpen()) {
        return false;
    }
    if (control == MixerControl::Volume) {
        gain_.SetVolume(value);
    } else {
        gain_.SetMuted(value != 0);
    }
    return true;
}

std::string AlsaMixer::OutputName(MixerOutput output) const {
    const OpenMixer mixer(card_);
    if (output == MixerOutput::Master) {
        return mixer.Find(kMaster) != nullptr ? kMaster : "";
    }
    if (!mixer.IsOpen()) {
        return "";
    }
    return mixer.HasControl(mixer.Find(kPcm), MixerControl::Volume) ? kPcm : kOwnWave;
}

} // namespace diglux
