// The library's eighteen operations as the tools see them: each one's number,
// the named inputs that fill its slots, what it writes back into the block and
// the type of its result. zolhost builds its command line from this table, and
// the tracing shim records each call's inputs by it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zolcalls {

// How a value is put into (or read out of) a slot.
enum class SlotKind {
  Integer,      // signed 32-bit in the numeric slot's first 4 bytes
  Double,       // all 8 bytes of the numeric slot
  ArrayNumber,  // 16-bit value in the numeric slot's first 2 bytes
  ByteOrder,    // an integer slot that also takes "lsb" (0) or "msb" (1)
  Flag,         // an integer slot that a bare option sets to 1
  Text,         // a string slot: up to 255 16-bit units and a terminator
};

enum class ResultKind { None, Integer, Double, Text };

// One input (with its option name) or one slot an operation writes back.
struct Field {
  std::string_view option;  // "--start"; empty for a slot the call writes
  SlotKind kind;
  int slot;  // numeric slot index, or string slot index for Text
  std::string_view meaning;
};

struct Operation {
  int number;
  std::string_view name;
  std::string_view summary;
  std::vector<Field> inputs;
  std::vector<Field> writes;  // slots the call itself changes
  ResultKind result;
  std::string_view resultMeaning;
};

// All eighteen, in number order.
const std::vector<Operation>& Operations();

// The operation with that function number, or null for an unknown number.
const Operation* OperationByNumber(int32_t number);

std::string_view KindName(SlotKind kind);
std::string_view KindName(ResultKind kind);

}  // namespace zolcalls
