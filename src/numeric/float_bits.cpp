// IntegerBitsToFloat and FloatToIntegerBits: move between a 32-bit pattern and
// the binary32 value it encodes, optionally swapping the pattern's 16-bit halves.
#include <bit>
#include <cstdint>
#include <limits>

#include "dispatch/operations.h"
#include "numeric/fp_environment.h"

namespace zol {
namespace {

static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "float must be IEEE-754 binary32");

constexpr uint32_t SwapHalves(uint32_t bits) {
  return std::rotl(bits, 16);
}

// Slot 1, read as an integer, asks for the half swap when it is non-zero.
uint32_t MaybeSwapHalves(const CallerAreas& areas, uint32_t bits) {
  return ReadSlotInteger(areas, 1) != 0 ? SwapHalves(bits) : bits;
}

}  // namespace

// Both compute in the default floating-point state: under flush-to-zero or
// denormals-are-zero a subnormal would become 0, and a host's rounding mode or
// traps would change the narrowing or stop it.
void IntegerBitsToFloat(const CallerAreas& areas) {
  const DefaultFloatingPoint defaultState;
  const auto bits = MaybeSwapHalves(areas, static_cast<uint32_t>(ReadSlotInteger(areas, 0)));
  WriteResultDouble(areas, static_cast<double>(std::bit_cast<float>(bits)));
}

void FloatToIntegerBits(const CallerAreas& areas) {
  const DefaultFloatingPoint defaultState;
  // An ordinary double-to-float conversion rounds to nearest, ties to even, and
  // overflows to an infinity of the same sign.
  const auto narrowed = static_cast<float>(ReadSlotDouble(areas, 0));
  const auto bits = MaybeSwapHalves(areas, std::bit_cast<uint32_t>(narrowed));
  WriteResultInteger(areas, static_cast<int32_t>(bits));
}

}  // namespace zol
