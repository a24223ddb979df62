// StartTimer and ReadElapsedTime: a timestamp of the tick counter, kept by the
// host in slots 0 and 1, and the time since then in 100 ns units.
#include <cstdint>

#include "dispatch/operations.h"
#include "platform/platform.h"

namespace zol {

namespace {

constexpr uint64_t kUnitsPerSecond = 10'000'000;  // 100 ns units

// Signed 64-bit division truncating toward zero. A zero divisor gives 0, and
// the one quotient that does not fit (minimum / -1) wraps instead of trapping.
int64_t DivideTruncating(int64_t dividend, int64_t divisor) {
  if (divisor == 0) {
    return 0;
  }
  if (divisor == -1) {
    return static_cast<int64_t>(0U - static_cast<uint64_t>(dividend));
  }
  return dividend / divisor;
}

}  // namespace

void StartTimer(const CallerAreas& areas) {
  const auto now = static_cast<uint64_t>(platform::ReadTickCounter());
  WriteSlotInteger(areas, 0, static_cast<int32_t>(static_cast<uint32_t>(now)));
  WriteSlotInteger(areas, 1, static_cast<int32_t>(static_cast<uint32_t>(now >> 32)));
}

void ReadElapsedTime(const CallerAreas& areas) {
  const uint64_t start = static_cast<uint64_t>(static_cast<uint32_t>(ReadSlotInteger(areas, 1)))
                             << 32 |
                         static_cast<uint32_t>(ReadSlotInteger(areas, 0));
  const int64_t frequency = platform::ReadTickFrequency();
  const auto now = static_cast<uint64_t>(platform::ReadTickCounter());
  // Difference and product wrap modulo 2^64; the product is then read as signed.
  const auto scaled = static_cast<int64_t>((now - start) * kUnitsPerSecond);
  const auto elapsed = static_cast<uint32_t>(DivideTruncating(scaled, frequency));
  const auto offset = static_cast<uint32_t>(ReadSlotInteger(areas, 2));
  WriteResultInteger(areas, static_cast<int32_t>(elapsed - offset));
}

}  // namespace zol
