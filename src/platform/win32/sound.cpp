// Sound on Windows: PlaySoundW, which plays on its own thread inside winmm.
#include <windows.h>

#include <mmsystem.h>  // needs windows.h first

#include <atomic>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zol::platform {

static_assert(kSoundAsync == SND_ASYNC && kSoundNoDefault == SND_NODEFAULT &&
              kSoundLoop == SND_LOOP && kSoundFileName == SND_FILENAME);

namespace {

// An asynchronous sound keeps a winmm thread running after the call. Should the
// host unload this DLL while nothing else holds winmm, winmm would be unmapped
// under that thread, so the first play pins it in the process for good.
void PinMultimediaLibrary() noexcept {
  static std::atomic<bool> pinned{false};
  if (!pinned.exchange(true)) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"winmm.dll", &module);
  }
}

}  // namespace

void RequestSound(const char16_t* sound, uint32_t flags) noexcept {
  if (sound == nullptr) {
    PlaySoundW(nullptr, nullptr, flags);
    return;
  }
  PinMultimediaLibrary();
  try {
    // char16_t and wchar_t are distinct types for the same 16-bit units here.
    const std::u16string_view view(sound);
    const std::wstring name(view.begin(), view.end());
    PlaySoundW(name.c_str(), nullptr, flags);
  } catch (...) {
    // Out of memory for the copy: nothing is played.
  }
}

}  // namespace zol::platform
