// The ArrayStore: the library's one path to the host's numbered arrays.
//
// A store call may store nothing (an unknown array, an index past the end) and
// its return value is not read, so every output starts at 0: such a call yields
// type 0, count 0 or element 0, never an uninitialised value.
#pragma once

#include <cstdint>

#include "zolutilities.h"

namespace zol {

// Elements of an array with this type code are read as doubles by the sums.
inline constexpr uint8_t kArrayTypeFloat = ZOL_ARRAY_TYPE_FLOAT;

struct ArrayInfo {
  uint8_t typeCode;
  uint16_t count;
};

// A running index as the store receives it: its low 16 bits.
constexpr uint16_t StoreIndex(uint32_t index) {
  return static_cast<uint16_t>(index);
}

class ArrayStore {
 public:
  static ArrayInfo GetInfo(uint16_t arrayNumber);
  static int32_t ReadInteger(uint16_t arrayNumber, uint16_t index);
  // Hands the element back through memory: a double returned on 32-bit x86
  // passes through the x87 stack, and loading a subnormal or a signalling NaN
  // there traps a host that has unmasked those exceptions.
  static void ReadDouble(uint16_t arrayNumber, uint16_t index, double& value);
  static void WriteInteger(uint16_t arrayNumber, uint16_t index, int32_t value);
};

}  // namespace zol
