// The operation table. Slots and kinds follow the library's function table.
#include "operation_table.h"

namespace zolcalls {
namespace {

using K = SlotKind;
using R = ResultKind;

std::vector<Operation> BuildTable() {
  const Field kArrayAt0{"--array", K::ArrayNumber, 0, "array number"};
  const Field kText{"--text", K::Text, 0, "the text"};
  const Field angle{"--value", K::Double, 0, "argument"};
  const Field count{"--count", K::Integer, 1, "elements to read, 0 for all"};
  const Field swap{"--swap", K::Flag, 1, "swap the 16-bit halves (bare: 1)"};
  const Field search[] = {kText,
                          {"--pattern", K::Text, 1, "the text to find"},
                          {"--start", K::Integer, 0, "position to search from"}};
  return {
      {1,
       "StartTimer",
       "take a timestamp",
       {},
       {{"", K::Integer, 0, "timer start, low 32 bits"},
        {"", K::Integer, 1, "timer start, high 32 bits"}},
       R::None,
       ""},
      {2,
       "ReadElapsedTime",
       "time since StartTimer",
       {{"--low", K::Integer, 0, "timer start, low 32 bits"},
        {"--high", K::Integer, 1, "timer start, high 32 bits"},
        {"--offset", K::Integer, 2, "subtracted from the result"}},
       {},
       R::Integer,
       "elapsed time in 100 ns units, less the offset"},
      {3, "ArcSine", "arc sine", {angle}, {}, R::Double, "radians"},
      {4, "ArcCosine", "arc cosine", {angle}, {}, R::Double, "radians"},
      {5, "ArcTangent", "arc tangent", {angle}, {}, R::Double, "radians"},
      {6,
       "PlaySoundFile",
       "start playing a WAV file",
       {{"--file", K::Text, 0, "the sound file"},
        {"--loop", K::Flag, 0, "1 loops until StopSound (bare: 1)"}},
       {},
       R::None,
       ""},
      {7, "StopSound", "stop the sound playing", {}, {}, R::None, ""},
      {8,
       "GetArraySize",
       "element count of an array",
       {kArrayAt0},
       {},
       R::Integer,
       "element count"},
      {9, "SumArray", "sum of an array's elements", {kArrayAt0, count}, {}, R::Double, "sum"},
      {10,
       "AverageArray",
       "mean of an array's elements",
       {kArrayAt0, count},
       {},
       R::Double,
       "mean"},
      {11,
       "WriteIntegerBytes",
       "spread an integer over byte elements",
       {{"--value", K::Integer, 0, "the 32-bit value"},
        {"--array", K::ArrayNumber, 1, "array number"},
        {"--start", K::Integer, 2, "first element"},
        {"--count", K::Integer, 3, "bytes to write"},
        {"--order", K::ByteOrder, 4, "lsb or msb first"}},
       {},
       R::None,
       ""},
      {12,
       "ReadIntegerBytes",
       "assemble an integer from byte elements",
       {kArrayAt0,
        {"--start", K::Integer, 1, "first element"},
        {"--count", K::Integer, 2, "bytes to read"},
        {"--order", K::ByteOrder, 3, "lsb or msb first"}},
       {},
       R::Integer,
       "the assembled value"},
      {13,
       "GetSystemErrorText",
       "the system's message for an error code",
       {{"--code", K::Integer, 0, "error code"}},
       {},
       R::Text,
       "message text"},
      {14,
       "FindString",
       "find text, case-sensitive",
       {search[0], search[1], search[2]},
       {},
       R::Integer,
       "position of the match, or -1"},
      {15,
       "FindStringNoCase",
       "find text, ignoring case",
       {search[0], search[1], search[2]},
       {{"", K::Text, 0, "lower-cased"}, {"", K::Text, 1, "lower-cased"}},
       R::Integer,
       "position of the match, or -1"},
      {16,
       "GetStringField",
       "the n-th delimited field",
       {kText,
        {"--delimiter", K::Text, 1, "field separator"},
        {"--field", K::Integer, 0, "field number from 0"}},
       {},
       R::Text,
       "the field"},
      {17,
       "IntegerBitsToFloat",
       "read 32 bits as a float",
       {{"--bits", K::Integer, 0, "the 32-bit pattern"}, swap},
       {},
       R::Double,
       "the float"},
      {18,
       "FloatToIntegerBits",
       "the 32 bits of a float",
       {{"--value", K::Double, 0, "the number"}, swap},
       {},
       R::Integer,
       "the 32-bit pattern"},
  };
}

}  // namespace

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> table = BuildTable();
  return table;
}

const Operation* OperationByNumber(int32_t number) {
  const std::vector<Operation>& table = Operations();
  const uint32_t index = static_cast<uint32_t>(number) - 1U;
  return index < table.size() ? &table[index] : nullptr;
}

std::string_view KindName(SlotKind kind) {
  switch (kind) {
    case K::Integer:
      return "integer";
    case K::Double:
      return "double";
    case K::ArrayNumber:
      return "array number";
    case K::ByteOrder:
      return "byte order";
    case K::Flag:
      return "flag";
    case K::Text:
      return "text";
  }
  return "";
}

std::string_view KindName(ResultKind kind) {
  switch (kind) {
    case R::None:
      return "none";
    case R::Integer:
      return "integer";
    case R::Double:
      return "double";
    case R::Text:
      return "text";
  }
  return "";
}

}  // namespace zolcalls
