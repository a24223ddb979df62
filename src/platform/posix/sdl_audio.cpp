// Loading libSDL2 and starting its audio subsystem, on the first play.
#include "platform/posix/sdl_audio.h"

#include <dlfcn.h>

#include <type_traits>

namespace zol::platform::sdl {

namespace {

// Fills `api` from the library `handle`; false if any function is missing.
bool FindFunctions(void* handle, Api& api) {
  bool complete = true;
  const auto find = [&](auto& function, const char* name) {
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(handle, name));
    complete = complete && function != nullptr;
  };
  find(api.RWFromConstMem, "SDL_RWFromConstMem");
  find(api.LoadWAV_RW, "SDL_LoadWAV_RW");
  find(api.FreeWAV, "SDL_FreeWAV");
  find(api.BuildAudioCVT, "SDL_BuildAudioCVT");
  find(api.ConvertAudio, "SDL_ConvertAudio");
  find(api.OpenAudioDevice, "SDL_OpenAudioDevice");
  find(api.PauseAudioDevice, "SDL_PauseAudioDevice");
  find(api.LockAudioDevice, "SDL_LockAudioDevice");
  find(api.UnlockAudioDevice, "SDL_UnlockAudioDevice");
  find(api.CloseAudioDevice, "SDL_CloseAudioDevice");
  find(api.WasInit, "SDL_WasInit");
  find(api.InitSubSystem, "SDL_InitSubSystem");
  find(api.SetHintWithPriority, "SDL_SetHintWithPriority");
  const bool required = complete;
  find(api.TLSCleanup, "SDL_TLSCleanup");
  return required;
}

// libSDL2 once opened. It is never closed: SDL may not be shut down (the host
// may use it too), so its code has to stay mapped. Only the sound thread gets
// here, so these need no lock.
Api functions{};
const Api* opened = nullptr;
bool tried = false;

const Api* OpenLibrary() {
  if (!tried) {
    tried = true;
    void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (handle != nullptr && FindFunctions(handle, functions)) {
      opened = &functions;
    }
  }
  return opened;
}

}  // namespace

const Api* OpenAudio(bool& started) noexcept {
  started = false;
  const Api* api = OpenLibrary();
  if (api == nullptr) {
    return nullptr;
  }
  // Started here unless the host runs SDL audio itself. Should the host shut
  // SDL down later, the next play starts it again.
  if (api->WasInit(SDL_INIT_AUDIO) == 0) {
    // SDL is to leave the host's signal handling alone; a hint set by the host
    // or its environment wins over this default.
    api->SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_DEFAULT);
    if (api->InitSubSystem(SDL_INIT_AUDIO) != 0) {
      return nullptr;
    }
    started = true;
  }
  return api;
}

void FreeThreadData() noexcept {
  if (opened != nullptr && opened->TLSCleanup != nullptr) {
    opened->TLSCleanup();
  }
}

}  // namespace zol::platform::sdl
