// The pieces of a trace line that the tracing shim writes and zolhost replays:
// the caller areas as byte images, the inputs an operation's row reads, the
// bytes a call may change as they were before it, and every run of bytes the
// call changed.
//
// A trace line, one JSON object per call:
//   {"seq": 3, "thread": 4711, "start_ns": ..., "duration_ns": 812,
//    "function": 5, "operation": "ArcTangent", "status": 0,
//    "inputs": [{"slot": 0, "kind": "double", "value": 1.0, "bytes": "000000000000f03f"}],
//    "before": [{"area": "value", "offset": 0, "bytes": "07"}],
//    "changes": [{"area": "value", "offset": 0, "before": "07..", "after": "18.."}],
//    "arrays": [...]}                        (operations 8 to 12, array_snapshot.h)
// Bytes are hex in memory order. "before" holds the bytes the operation may
// change, each range without its trailing zeros, and only ranges not all zero:
// with the inputs, it is what a replay needs to give the call the same start.
#pragma once

#include <nlohmann/json.hpp>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "changeable_bytes.h"
#include "operation_table.h"
#include "zolutilities.h"

namespace zolcalls {

using json = nlohmann::ordered_json;

// Copies of the three caller areas.
struct AreaImage {
  alignas(8) std::array<unsigned char, ZOL_BLOCK_SIZE> block{};
  alignas(8) std::array<unsigned char, ZOL_RESULT_VALUE_SIZE> value{};
  alignas(8) std::array<unsigned char, kResultTextBytes> text{};

  // The areas as a host passes them, read byte for byte.
  static AreaImage Of(const void* block, const void* value, const void* text);
  unsigned char* Bytes(CallerArea area);
  const unsigned char* Bytes(CallerArea area) const;
};

struct AreaName {
  CallerArea area;
  std::string_view name;  // "block", "value", "text"
  std::size_t size;
};
inline constexpr std::array<AreaName, 3> kAreaNames = {
    {{CallerArea::Block, "block", ZOL_BLOCK_SIZE},
     {CallerArea::Value, "value", ZOL_RESULT_VALUE_SIZE},
     {CallerArea::Text, "text", kResultTextBytes}}};
// The area with that name; throws std::invalid_argument for another name.
const AreaName& AreaNamed(std::string_view name);

std::string Hex(const unsigned char* bytes, std::size_t size);
// Throws std::invalid_argument for anything but pairs of hex digits.
std::vector<unsigned char> FromHex(std::string_view hex);

// A double's 8 bytes as 16 hex digits, most significant first.
std::string DoubleBitsHex(double value);

// A double that reads back exactly: a number, or its 8 bytes as 16 hex digits
// (most significant first) for a NaN or an infinity, which JSON cannot hold.
json DoubleJson(double value);
double DoubleFromJson(const json& value);

// The inputs of `op` in `block`: numeric slots with their kind, value and 8
// bytes, strings as 16-bit units up to the terminator (all 256 without one).
json InputsJson(const Operation& op, const unsigned char* block);

// The bytes function `fn` may change, as they are in `image`.
json BeforeJson(int32_t fn, const AreaImage& image);

// Every run of bytes that differs between the two images.
json ChangesJson(const AreaImage& before, const AreaImage& after);

// Writes hex `bytes` into `area` at `offset`; throws std::invalid_argument if
// they do not fit.
void PutBytes(AreaImage& image, std::string_view area, std::size_t offset, std::string_view hex);

}  // namespace zolcalls
