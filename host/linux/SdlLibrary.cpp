#include "SdlLibrary.h"

#include "DynamicLibrary.h"

#include <optional>

namespace diglux {
namespace {

bool ResolveAll(void* library, SdlAudioApi& api) {
    return ResolveFunction(library, "SDL_RWFromConstMem", api.RWFromConstMem) &&
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
