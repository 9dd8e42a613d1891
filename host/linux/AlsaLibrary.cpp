#include "AlsaLibrary.h"

#include "DynamicLibrary.h"

#include <optional>

namespace diglux {
namespace {

// alsa-lib reports every failed open on stderr; the clock reports nothing.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

bool ResolveAll(void* library, AlsaMixerApi& api) {
    return ResolveFunction(library, "snd_lib_error_set_handler", api.lib_error_set_handler) &&
           ResolveFunction(library, "snd_mixer_open", api.mixer_open) &&
           ResolveFunction(library, "snd_mixer_attach", api.mixer_attach) &&
           ResolveFunction(library, "snd_mixer_selem_register", api.mixer_selem_register) &&
           ResolveFunction(library, "snd_mixer_load", api.mixer_load) &&
           ResolveFunction(library, "snd_mixer_close", api.mixer_close) &&
           ResolveFunction(library, "snd_mixer_find_selem", api.mixer_find_selem) &&
           ResolveFunction(library, "snd_mixer_selem_id_sizeof", api.mixer_selem_id_sizeof) &&
           ResolveFunction(library, "snd_mixer_selem_id_set_index", api.mixer_selem_id_set_index) &&
           ResolveFunction(library, "snd_mixer_selem_id_set_name", api.mixer_selem_id_set_name) &&
           ResolveFunction(library, "snd_mixer_selem_has_playback_volume",
                           api.mixer_selem_has_playback_volume) &&
           ResolveFunction(library, "snd_mixer_selem_has_playback_switch",
                           api.mixer_selem_has_playback_switch) &&
           ResolveFunction(library, "snd_mixer_selem_get_playback_volume_range",
                           api.mixer_selem_get_playback_volume_range) &&
           ResolveFunction(library, "snd_mixer_selem_get_playback_volume",
                           api.mixer_selem_get_playback_volume) &&
           ResolveFunction(library, "snd_mixer_selem_get_playback_switch",
                           api.mixer_selem_get_playback_switch) &&
           ResolveFunction(library, "snd_mixer_selem_set_playback_volume_all",
                           api.mixer_selem_set_playback_volume_all) &&
           ResolveFunction(library, "snd_mixer_selem_set_playback_switch_all",
                           api.mixer_selem_set_playback_switch_all);
}

std::optional<AlsaMixerApi> Load() {
    auto api = LoadLibraryApi<AlsaMixerApi>("libasound.so.2", &ResolveAll);
    if (api) {
        api->lib_error_set_handler(&Quiet);
    }
    return api;
}

} // namespace

const AlsaMixerApi* LoadAlsaMixer() {
    static const std::optional<AlsaMixerApi> api = Load();
    return api ? &*api : nullptr;
}

} // namespace diglux
