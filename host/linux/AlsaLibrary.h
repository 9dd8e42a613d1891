// The few functions of ALSA's simple mixer and playback the clock uses, loaded at run time on
// the first sound or volume change. Linking libasound would map it at every start, and asking
// the default card loads the sound server's client libraries too (about 3 MB and 30 ms), for a
// clock that may never make a sound.
#pragma once

#include <alsa/asoundlib.h>

namespace diglux {

struct AlsaMixerApi {
    decltype(&snd_lib_error_set_handler) lib_error_set_handler;
    decltype(&snd_mixer_open) mixer_open;
    decltype(&snd_mixer_attach) mixer_attach;
    decltype(&snd_mixer_selem_register) mixer_selem_register;
    decltype(&snd_mixer_load) mixer_load;
    decltype(&snd_mixer_close) mixer_close;
    decltype(&snd_mixer_find_selem) mixer_find_selem;
    decltype(&snd_mixer_selem_id_sizeof) mixer_selem_id_sizeof;
    decltype(&snd_mixer_selem_id_set_index) mixer_selem_id_set_index;
    decltype(&snd_mixer_selem_id_set_name) mixer_selem_id_set_name;
    decltype(&snd_mixer_selem_has_playback_volume) mixer_selem_has_playback_volume;
    decltype(&snd_mixer_selem_has_playback_switch) mixer_selem_has_playback_switch;
    decltype(&snd_mixer_selem_get_playback_volume_range) mixer_selem_get_playback_volume_range;
    decltype(&snd_mixer_selem_get_playback_volume) mixer_selem_get_playback_volume;
    decltype(&snd_mixer_selem_get_playback_switch) mixer_selem_get_playback_switch;
    decltype(&snd_mixer_selem_set_playback_volume_all) mixer_selem_set_playback_volume_all;
    decltype(&snd_mixer_selem_set_playback_switch_all) mixer_selem_set_playback_switch_all;
};

struct AlsaPcmApi {
    decltype(&snd_pcm_open) pcm_open;
    decltype(&snd_pcm_set_params) pcm_set_params;
    decltype(&snd_pcm_writei) pcm_writei;
    decltype(&snd_pcm_prepare) pcm_prepare;
    decltype(&snd_pcm_start) pcm_start;
    decltype(&snd_pcm_state) pcm_state;
    decltype(&snd_pcm_delay) pcm_delay;
    decltype(&snd_pcm_drop) pcm_drop;
    decltype(&snd_pcm_close) pcm_close;
    decltype(&snd_config_update_free_global) config_update_free_global;
};

// The functions, loading the library on the first call (thread-safe) and routing its error
// messages to one line of the clock's own; null when the library or one of its functions cannot
// be found. The library then stays loaded.
const AlsaMixerApi* LoadAlsaMixer();
const AlsaPcmApi* LoadAlsaPcm();

} // namespace diglux
