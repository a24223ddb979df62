// The bytes of the caller's areas that each operation may change: the outputs
// its row of the function table names, and nothing else. The tracing shim
// records these bytes before each call, and the tests check that nothing else
// changes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zolutilities.h"

namespace zolcalls {

enum class CallerArea { Block, Value, Text };

inline constexpr std::size_t kResultTextBytes = std::size_t{2} * ZOL_RESULT_TEXT_UNITS;

// Bytes [begin, end) of one area.
struct ByteRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// What an operation may change in one area: two ranges in ascending order,
// either of which may be empty (StartTimer is the one that needs both).
struct Changeable {
  ByteRange first;
  ByteRange second;
};

constexpr Changeable Only(std::size_t begin, std::size_t end) {
  return {{begin, end}, {end, end}};
}

// The bytes of `area` that function `fn` may change. Unknown numbers change
// nothing; sound and WriteIntegerBytes change nothing in the areas.
constexpr Changeable ChangeableBytes(int32_t fn, CallerArea area) {
  const bool block = area == CallerArea::Block;
  const bool value = area == CallerArea::Value;
  const bool text = area == CallerArea::Text;
  switch (fn) {
    case ZOL_FN_START_TIMER:  // the counter's halves: bytes 0..3 of slots 0 and 1
      return block ? Changeable{{0, 4}, {ZOL_SLOT_SIZE, ZOL_SLOT_SIZE + 4}} : Changeable{};
    case ZOL_FN_READ_ELAPSED_TIME:
    case ZOL_FN_GET_ARRAY_SIZE:
    case ZOL_FN_READ_INTEGER_BYTES:
    case ZOL_FN_FIND_STRING:
    case ZOL_FN_FLOAT_TO_INTEGER_BITS:  // an integer result: bytes 0..3 only
      return value ? Only(0, 4) : Changeable{};
    case ZOL_FN_FIND_STRING_NO_CASE:  // and both string slots, lower-cased in place
      return value   ? Only(0, 4)
             : block ? Only(ZOL_STRING_SLOT_OFFSET_OF(0), ZOL_BLOCK_SIZE)
                     : Changeable{};
    case ZOL_FN_ARC_SINE:
    case ZOL_FN_ARC_COSINE:
    case ZOL_FN_ARC_TANGENT:
    case ZOL_FN_SUM_ARRAY:
    case ZOL_FN_AVERAGE_ARRAY:
    case ZOL_FN_INTEGER_BITS_TO_FLOAT:  // a double result: all 8 bytes
      return value ? Only(0, ZOL_RESULT_VALUE_SIZE) : Changeable{};
    case ZOL_FN_GET_SYSTEM_ERROR_TEXT:
    case ZOL_FN_GET_STRING_FIELD:
      return text ? Only(0, kResultTextBytes) : Changeable{};
    default:
      return {};
  }
}

}  // namespace zolcalls
