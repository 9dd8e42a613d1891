#include "SdlLibrary.h"

#include "DynamicLibrary.h"

#include <optional>

namespace diglux {
namespace {

bool ResolveAll(void* library, SdlAudioApi& api) {
    return ResolveFunction(library, "SDL_SetHint", api.SetHint) &&
           ResolveFunction(library, "SDL_InitSubSystem", api.InitSubSystem) &&
           ResolveFunction(library, "SDL_QuitSubSystem", api.QuitSubSystem) &&
           ResolveFunction(library, "SDL_OpenAudioDevice", api.OpenAudioDevice) &&
           ResolveFunction(library, "SDL_CloseAudioDevice", api.CloseAudioDevice) &&
           ResolveFunction(library, "SDL_QueueAudio", api.QueueAudio) &&
           ResolveFunction(library, "SDL_PauseAudioDevice", api.PauseAudioDevice) &&
           ResolveFunction(library, "SDL_GetQueuedAudioSize", api.GetQueuedAudioSize) &&
           ResolveFunction(library, "SDL_RWFromConstMem", api.RWFromConstMem) &&
           ResolveFunction(library, "SDL_LoadWAV_RW", api.LoadWAV_RW) &&
           ResolveFunction(library, "SDL_FreeWAV", api.FreeWAV) &&
           ResolveFunction(library, "SDL_BuildAudioCVT", api.BuildAudioCVT) &&
           ResolveFunction(library, "SDL_ConvertAudio", api.ConvertAudio);
}

} // namespace

const SdlAudioApi* LoadSdlAudio() {
    static const std::optional<SdlAudioApi> api =
        LoadLibraryApi<SdlAudioApi>("libSDL2-2.0.so.0", &ResolveAll);
    return api ? &*api : nullptr;
}

} // namespace diglux
