// The tick counter on Windows: the high-resolution performance counter.
#include <windows.h>

#include "platform/platform.h"

namespace zol::platform {

int64_t ReadTickCounter() noexcept {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t ReadTickFrequency() noexcept {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

}  // namespace zol::platform
