// The bytes of the caller's areas that each operation may change: the outputs
// its row of the function table names, and nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zolutilities.h"

enum class CallerArea { Block, Value, Text };

inline constexpr std::size_t kResultTextBytes = 2 * ZOL_RESULT_TEXT_UNITS;

// Whether function `fn` may change byte `at` of `area`. Unknown numbers change
// nothing; sound and WriteIntegerBytes change nothing in the areas.
constexpr bool MayChange(int32_t fn, CallerArea area, std::size_t at) {
  switch (fn) {
    case ZOL_FN_START_TIMER:  // the counter's halves into slots 0 and 1, 4 bytes each
      return area == CallerArea::Block &&
             (at < 4 || (at >= ZOL_SLOT_SIZE && at < ZOL_SLOT_SIZE + 4));
    case ZOL_FN_READ_ELAPSED_TIME:
    case ZOL_FN_GET_ARRAY_SIZE:
    case ZOL_FN_READ_INTEGER_BYTES:
    case ZOL_FN_FIND_STRING:
    case ZOL_FN_FLOAT_TO_INTEGER_BITS:  // an integer result: bytes 0..3 only
      return area == CallerArea::Value && at < 4;
    case ZOL_FN_FIND_STRING_NO_CASE:  // and both string slots, lower-cased in place
      return (area == CallerArea::Value && at < 4) ||
             (area == CallerArea::Block && at >= ZOL_STRING_SLOT_OFFSET_OF(0) &&
              at < ZOL_BLOCK_SIZE);
    case ZOL_FN_ARC_SINE:
    case ZOL_FN_ARC_COSINE:
    case ZOL_FN_ARC_TANGENT:
    case ZOL_FN_SUM_ARRAY:
    case ZOL_FN_AVERAGE_ARRAY:
    case ZOL_FN_INTEGER_BITS_TO_FLOAT:  // a double result: all 8 bytes
      return area == CallerArea::Value && at < ZOL_RESULT_VALUE_SIZE;
    case ZOL_FN_GET_SYSTEM_ERROR_TEXT:
    case ZOL_FN_GET_STRING_FIELD:
      return area == CallerArea::Text && at < kResultTextBytes;
    default:
      return false;
  }
}

// The first byte of `after` that differs from `before` although `fn` may not
// change it, or `size` when there is none.
inline std::size_t FirstForbiddenChange(int32_t fn, CallerArea area, const unsigned char* before,
                                        const unsigned char* after, std::size_t size) {
  for (std::size_t at = 0; at < size; ++at) {
    if (before[at] != after[at] && !MayChange(fn, area, at)) {
      return at;
    }
  }
  return size;
}
