// Addition of two binary64 bit patterns in integer arithmetic. It gives exactly
// what SSE2's ADDSD gives in the default floating-point state (round to
// nearest, ties to even; subnormals kept; overflow to an infinity), whatever
// state the host left, and raises no flag. A host whose state is not the
// default can then have a long sum added without switching MXCSR (or the x87)
// twice per element, which costs tens of nanoseconds each time.
#pragma once

#include <bit>
#include <cstdint>

namespace zol {
namespace binary64 {

inline constexpr uint64_t kSignBit = 1ULL << 63;
inline constexpr uint64_t kExponentBits = 0x7FFULL << 52;
inline constexpr uint64_t kFractionBits = (1ULL << 52) - 1;
inline constexpr uint64_t kQuietBit = 1ULL << 51;
// What an invalid operation (infinity minus infinity) gives on x86.
inline constexpr uint64_t kDefaultNan = 0xFFF8000000000000ULL;
// Significands are held with 9 bits below the last place, so that the leading
// bit sits at 61 and a carry out of an addition at 62.
inline constexpr int kGuardBits = 9;
inline constexpr uint64_t kLeadingBit = 1ULL << (52 + kGuardBits);

constexpr bool IsNan(uint64_t bits) {
  return (bits & ~kSignBit) > kExponentBits;
}

// Shifts right, keeping a 1 in the last bit if any 1 was shifted out, so that
// rounding still sees that the value was above the kept bits.
constexpr uint64_t ShiftRightSticky(uint64_t value, int shift) {
  if (shift == 0) {
    return value;
  }
  if (shift >= 63) {
    return value != 0 ? 1 : 0;
  }
  return value >> shift | ((value << (64 - shift)) != 0 ? 1 : 0);
}

// The magnitude of a finite pattern as a biased exponent (subnormals as 1) and
// a significand with its leading bit and the guard bits.
struct Unpacked {
  int exponent;
  uint64_t significand;
};

constexpr Unpacked Unpack(uint64_t bits) {
  const auto exponent = static_cast<int>(bits >> 52 & 0x7FF);
  const uint64_t fraction = bits & kFractionBits;
  if (exponent == 0) {
    return {1, fraction << kGuardBits};
  }
  return {exponent, (fraction | 1ULL << 52) << kGuardBits};
}

// Rounds a finite result to the nearest binary64, ties to even. The exponent
// is added below the significand's leading bit, so a carry on rounding moves
// into the exponent, and a significand without one (a subnormal) gets 0.
constexpr uint64_t Round(uint64_t sign, int exponent, uint64_t significand) {
  const uint64_t rest = significand & ((1ULL << kGuardBits) - 1);
  const uint64_t half = 1ULL << (kGuardBits - 1);
  uint64_t result = (static_cast<uint64_t>(exponent - 1) << 52) + (significand >> kGuardBits);
  if (rest > half || (rest == half && (result & 1) != 0)) {
    ++result;
  }
  if (result >= kExponentBits) {
    return sign | kExponentBits;  // an infinity
  }
  return sign | result;
}

// Both finite; |larger| >= |smaller|.
constexpr uint64_t AddFinite(uint64_t larger, uint64_t smaller) {
  const uint64_t sign = larger & kSignBit;
  const Unpacked a = Unpack(larger);
  const Unpacked b = Unpack(smaller);
  const uint64_t aligned = ShiftRightSticky(b.significand, a.exponent - b.exponent);
  int exponent = a.exponent;
  uint64_t significand = 0;
  if (((larger ^ smaller) & kSignBit) != 0) {
    significand = a.significand - aligned;
    if (significand == 0) {
      return 0;  // an exact cancellation gives +0 when rounding to nearest
    }
    // Normalise, but not below the least exponent: that is a subnormal. Where
    // more than one place is needed the exponents differed by at most one,
    // so nothing was lost to the sticky bit.
    const int shift = std::countl_zero(significand) - (63 - 52 - kGuardBits);
    const int allowed = shift < exponent - 1 ? shift : exponent - 1;
    if (allowed > 0) {
      significand <<= allowed;
      exponent -= allowed;
    }
  } else {
    significand = a.significand + aligned;
    if (significand >= kLeadingBit << 1) {
      significand = ShiftRightSticky(significand, 1);
      ++exponent;
    }
  }
  return Round(sign, exponent, significand);
}

}  // namespace binary64

// first + second as ADDSD with `first` as its first source operand: that
// operand's NaN wins when both are NaNs, and a signalling NaN comes back quiet.
constexpr uint64_t AddBinary64(uint64_t first, uint64_t second) {
  using namespace binary64;
  if (IsNan(first)) {
    return first | kQuietBit;
  }
  if (IsNan(second)) {
    return second | kQuietBit;
  }
  const uint64_t firstMagnitude = first & ~kSignBit;
  const uint64_t secondMagnitude = second & ~kSignBit;
  if (firstMagnitude == kExponentBits || secondMagnitude == kExponentBits) {
    if (firstMagnitude == secondMagnitude && first != second) {
      return kDefaultNan;  // infinity minus infinity
    }
    return firstMagnitude == kExponentBits ? first : second;
  }
  if (firstMagnitude == 0 && secondMagnitude == 0) {
    return first & second;  // -0 only when both are -0
  }
  return firstMagnitude >= secondMagnitude ? AddFinite(first, second) : AddFinite(second, first);
}

static_assert(AddBinary64(0x3FF0000000000000ULL, 0x3FF0000000000000ULL) ==
              0x4000000000000000ULL);                                           // 1 + 1 = 2
static_assert(AddBinary64(0x3FF0000000000000ULL, 0xBFF0000000000000ULL) == 0);  // 1 - 1 = +0
static_assert(AddBinary64(0x0000000000000001ULL, 0x000FFFFFFFFFFFFFULL) ==
              0x0010000000000000ULL);  // subnormals add up to the least normal

}  // namespace zol
