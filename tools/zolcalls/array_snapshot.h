// The part of a host array that an array call (operations 8 to 12) reaches,
// read through the same four QorData calls the library makes, so that a trace
// can rebuild the array in another store.
//
// In a trace line:
//   "arrays": [{"number": 3, "type": 3, "count": 16,
//               "parts": [{"from": 10, "integers": [0, 0, 0, 0]}],
//               "after": [{"from": 10, "integers": [18, 52, 86, 120]}]}]
// "parts" holds the elements the call reads or writes that lie inside the
// array, as runs of consecutive indexes ("doubles" where the sums read a
// type-19 array as doubles, "integers" otherwise; a double that JSON cannot
// hold is its bits in hex). "after" (WriteIntegerBytes only) is the same runs
// read again after the call.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "trace_record.h"

namespace zolcalls {

struct IndexRun {
  uint16_t from;
  uint32_t length;  // 1 to 65536
};

// What a call reaches in one array.
struct ArrayReach {
  uint16_t number;
  uint8_t type;
  uint16_t count;
  bool doubles;  // elements read as doubles (the sums over a type-19 array)
  std::vector<IndexRun> runs;
};

// What function `fn` with this block will reach, from the store's answer to
// GetArrayInfo; nothing for a function that reaches no array.
std::optional<ArrayReach> ReachOfCall(int32_t fn, const unsigned char* block);

// The array's entry of "arrays", without "after".
json ArrayJson(const ArrayReach& reach);

// The elements of every run, read from the store now.
json PartsJson(const ArrayReach& reach);

// The reach a recorded entry of "arrays" describes. Throws nlohmann's or
// std::invalid_argument's exceptions for an entry of another shape.
ArrayReach ReachFromJson(const json& entry);

}  // namespace zolcalls
