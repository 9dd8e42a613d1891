#include "AlsaLibrary.h"

#include "DynamicLibrary.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace diglux {
namespace {

// alsa-lib reports every step of a failed open on stderr, 16 lines when no card and no sound
// server is there. The clock says the first message once, as its own line.
void ReportFirst(const char*, int, const char*, int error, const char* format, ...) {
    static std::atomic<bool> reported{false};
    if (reported.exchange(true)) {
        return;
    }
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::fprintf(stderr, "diglux: sound: ALSA: %s%s%s\n", text, error != 0 ? ": " : "",
                 error != 0 ? std::strerror(std::abs(error)) : "");
}

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

bool ResolvePcm(void* library, AlsaPcmApi& api) {
    return ResolveFunction(library, "snd_pcm_open", api.pcm_open) &&
           ResolveFunction(library, "snd_pcm_set_params", api.pcm_set_params) &&
           ResolveFunction(library, "snd_pcm_writei", api.pcm_writei) &&
           ResolveFunction(library, "snd_pcm_prepare", api.pcm_prepare) &&
           ResolveFunction(library, "snd_pcm_start", api.pcm_start) &&
           ResolveFunction(library, "snd_pcm_state", api.pcm_state) &&
           ResolveFunction(library, "snd_pcm_delay", api.pcm_delay) &&
           ResolveFunction(library, "snd_pcm_drop", api.pcm_drop) &&
           ResolveFunction(library, "snd_pcm_close", api.pcm_close) &&
           ResolveFunction(library, "snd_config_update_free_global", api.config_update_free_global);
}

std::optional<AlsaMixerApi> Load() {
    auto api = LoadLibraryApi<AlsaMixerApi>("libasound.so.2", &ResolveAll);
    if (api) {
        api->lib_error_set_handler(&ReportFirst);
    }
    return api;
}

} // namespace

const AlsaMixerApi* LoadAlsaMixer() {
    static const std::optional<AlsaMixerApi> api = Load();
    return api ? &*api : nullptr;
}

const AlsaPcmApi* LoadAlsaPcm() {
    // The mixer's loading sets the error handler, before anything is opened.
    static const std::optional<AlsaPcmApi> api =
        LoadAlsaMixer() == nullptr ? std::nullopt
                                   : LoadLibraryApi<AlsaPcmApi>("libasound.so.2", &ResolvePcm);
    return api ? &*api : nullptr;
}

} // namespace diglux
