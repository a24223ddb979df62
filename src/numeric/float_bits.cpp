// IntegerBitsToFloat and FloatToIntegerBits: move between a 32-bit pattern and
// the binary32 value it encodes, optionally swapping the pattern's 16-bit halves.
#include <bit>
#include <cstdint>
#include <limits>

#include "dispatch/operations.h"
#include "numeric/binary32_bits.h"

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

// Both convert in integer arithmetic (binary32_bits.h): a host's rounding mode,
// flush-to-zero, denormals-are-zero or unmasked traps can change neither the
// result nor the host, and the default case costs nothing extra.
void IntegerBitsToFloat(const CallerAreas& areas) {
  const auto bits = MaybeSwapHalves(areas, static_cast<uint32_t>(ReadSlotInteger(areas, 0)));
  WriteResultBits(areas, WidenBinary32(bits));
}

void FloatToIntegerBits(const CallerAreas& areas) {
  // Rounds to nearest, ties to even, and overflows to an infinity of the same
  // sign, as an ordinary double-to-float conversion does by default.
  const uint32_t narrowed = NarrowToBinary32(ReadSlotBits(areas, 0));
  WriteResultInteger(areas, static_cast<int32_t>(MaybeSwapHalves(areas, narrowed)));
}

}  // namespace zol
