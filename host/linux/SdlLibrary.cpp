#include "SdlLibrary.h"

#include <dlfcn.h>

#include <optional>

namespace diglux {
namespace {

template <typename Function> bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<SdlAudioApi> Load() {
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return std::nullopt;
    }
    SdlAudioApi api{};
    const bool complete = Resolve(library, "SDL_SetHint", api.SetHint) &&
                          Resolve(library, "SDL_InitSubSystem", api.InitSubSystem) &&
                          Resolve(library, "SDL_QuitSubSystem", api.QuitSubSystem) &&
                          Resolve(library, "SDL_OpenAudioDevice", api.OpenAudioDevice) &&
                          Resolve(library, "SDL_CloseAudioDevice", api.CloseAudioDevice) &&
                          Resolve(library, "SDL_QueueAudio", api.QueueAudio) &&
                          Resolve(library, "SDL_PauseAudioDevice", api.PauseAudioDevice) &&
                          Resolve(library, "SDL_GetQueuedAudioSize", api.GetQueuedAudioSize) &&
                          Resolve(library, "SDL_RWFromConstMem", api.RWFromConstMem) &&
                          Resolve(library, "SDL_RWFromFile", api.RWFromFile) &&
                          Resolve(library, "SDL_LoadWAV_RW", api.LoadWAV_RW) &&
                          Resolve(library, "SDL_FreeWAV", api.FreeWAV) &&
                          Resolve(library, "SDL_BuildAudioCVT", api.BuildAudioCVT) &&
                          Resolve(library, "SDL_ConvertAudio", api.ConvertAudio);
    if (!complete) {
        dlclose(library);
        return std::nullopt;
    }
    return api;
}

} // namespace

const SdlAudioApi* LoadSdlAudio() {
    static const std::optional<SdlAudioApi> api = Load();
    return api ? &*api : nullptr;
}

} // namespace diglux
