// Conversions between binary64 and binary32 bit patterns, done in integer
// arithmetic. They give exactly what the hardware conversions give in the
// default floating-point state (round to nearest, ties to even; overflow to an
// infinity; a NaN made quiet, keeping the top of its payload), whatever state
// the host left: no rounding mode, flush-to-zero or trap reaches them, and they
// cost no check of that state.
#pragma once

#include <bit>
#include <cstdint>

namespace zol {

constexpr uint32_t NarrowToBinary32(uint64_t bits) {
  const auto sign = static_cast<uint32_t>(bits >> 32) & 0x80000000U;
  const auto exponent = static_cast<int32_t>(bits >> 52 & 0x7FF);
  const uint64_t fraction = bits & 0xFFFFFFFFFFFFFULL;
  if (exponent == 0x7FF) {
    const uint32_t quietNan = fraction != 0 ? 0x400000U | static_cast<uint32_t>(fraction >> 29) : 0;
    return sign | 0x7F800000U | quietNan;
  }
  // The significand with its leading bit; binary64 subnormals have none.
  const uint64_t significand = exponent != 0 ? fraction | 1ULL << 52 : fraction;
  const int32_t biased = (exponent != 0 ? exponent : 1) - 1023 + 127;
  if (biased >= 0xFF) {
    return sign | 0x7F800000U;
  }
  // Bits dropped: 29 for a normal result, more for a subnormal one.
  const int32_t dropped = biased >= 1 ? 29 : 30 - biased;
  if (dropped > 63) {
    return sign;  // below half the least subnormal
  }
  const uint64_t kept = significand >> dropped;
  const uint64_t rest = significand & ((1ULL << dropped) - 1);
  const uint64_t half = 1ULL << (dropped - 1);
  // A normal result's exponent is added below its leading bit; a carry out of
  // the significand on rounding moves into the exponent, up to infinity.
  auto result =
      static_cast<uint32_t>(kept) + (biased >= 1 ? static_cast<uint32_t>(biased - 1) << 23 : 0U);
  if (rest > half || (rest == half && (result & 1U) != 0)) {
    ++result;
  }
  return sign | result;
}

constexpr uint64_t WidenBinary32(uint32_t bits) {
  const uint64_t sign = static_cast<uint64_t>(bits & 0x80000000U) << 32;
  const uint32_t exponent = bits >> 23 & 0xFF;
  uint32_t fraction = bits & 0x7FFFFFU;
  if (exponent == 0xFF) {
    const uint64_t quietNan = fraction != 0 ? 0x8000000000000ULL : 0;
    return sign | 0x7FF0000000000000ULL | quietNan | static_cast<uint64_t>(fraction) << 29;
  }
  if (exponent == 0 && fraction == 0) {
    return sign;
  }
  uint64_t biased = exponent + 1023U - 127U;
  if (exponent == 0) {
    // A subnormal: shift its leading bit up to the implicit position.
    const int shift = std::countl_zero(fraction) - 8;
    fraction = fraction << shift & 0x7FFFFFU;
    biased = 1023U - 126U - static_cast<uint64_t>(shift);
  }
  return sign | biased << 52 | static_cast<uint64_t>(fraction) << 29;
}

static_assert(NarrowToBinary32(0x3FF0000000000000ULL) == 0x3F800000U);  // 1.0
static_assert(NarrowToBinary32(0x3FB999999999999AULL) == 0x3DCCCCCDU);  // 0.1
static_assert(WidenBinary32(0x00000001U) == 0x36A0000000000000ULL);     // 2^-149

}  // namespace zol
