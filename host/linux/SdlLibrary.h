// SDL2's reading of WAVE images, loaded at run time for the first sound that is not plain 16-bit
// PCM (a sound file of the user's; the clock's own sounds are read without it). Linking SDL2
// would map it and the sixty-odd libraries it pulls in (sound servers, codecs, Wayland) into
// every clock at start: about 5 MB and 60 ms more. (Playback goes through ALSA.)
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
