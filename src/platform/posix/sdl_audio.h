// The part of SDL2 the sound player uses, found in libSDL2 at run time.
//
// The library never links SDL: a plug-in must not map a sound stack into every
// host that never plays a sound. SDL's headers give the types and signatures.
#pragma once

#include <SDL.h>

namespace zol::platform::sdl {

struct Api {
  decltype(&SDL_RWFromConstMem) RWFromConstMem;
  decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
  decltype(&SDL_FreeWAV) FreeWAV;
  decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
  decltype(&SDL_ConvertAudio) ConvertAudio;
  decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
  decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
  decltype(&SDL_LockAudioDevice) LockAudioDevice;
  decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
  decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
  decltype(&SDL_WasInit) WasInit;
  decltype(&SDL_InitSubSystem) InitSubSystem;
  decltype(&SDL_SetHintWithPriority) SetHintWithPriority;
  decltype(&SDL_TLSCleanup) TLSCleanup;  // since SDL 2.0.16; may be null
};

// SDL with its audio subsystem running, or null when libSDL2 or an audio
// driver is missing. Loads libSDL2 on the first call; call it from the sound
// thread only. `started` tells whether this call started SDL audio.
const Api* OpenAudio(bool& started) noexcept;

// Frees what SDL keeps for the calling thread (its error text, for one); SDL
// does so by itself only for threads it started. Call it on the sound thread
// only: a host's own threads keep their SDL data.
void FreeThreadData() noexcept;

}  // namespace zol::platform::sdl
