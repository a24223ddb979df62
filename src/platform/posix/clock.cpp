// The tick counter on POSIX systems: CLOCK_MONOTONIC in 100 ns ticks. At ten
// million ticks per second the elapsed-time product cannot wrap in 64 bits for
// intervals below about 29 years.
#include <time.h>

#include "platform/platform.h"

namespace zol::platform {

namespace {
constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr uint64_t kNanosecondsPerTick = 100;
}  // namespace

int64_t ReadTickCounter() noexcept {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(static_cast<uint64_t>(now.tv_sec) * kTicksPerSecond +
                              static_cast<uint64_t>(now.tv_nsec) / kNanosecondsPerTick);
}

int64_t ReadTickFrequency() noexcept {
  return static_cast<int64_t>(kTicksPerSecond);
}

}  // namespace zol::platform
