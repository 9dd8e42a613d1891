// SDL2's reading of WAVE images, loaded at run time on the first sound. Linking SDL2 would map
// it and the sixty-odd libraries it pulls in (sound servers, codecs, Wayland) into every clock
// at start: about 5 MB and 60 ms more, for a clock that may never make a sound. (Playback goes
// through ALSA: AlsaSoundDevice.)
#pragma once

#include <SDL.h>

namespace diglux {

struct SdlAudioApi {
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

// The functions, loading the library on the first call (which is thread-safe); null when the
// library or one of its functions cannot be found. The library then stays loaded.
const SdlAudioApi* LoadSdlAudio();

} // namespace diglux
