// Reading the reach of an array call through the library's own four store
// calls. Nothing here uses the stand-in's host API: the tracing shim runs in
// front of a host's own QorData, which has only these four.
#include "array_snapshot.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "QorData.h"

namespace zolcalls {
namespace {

constexpr uint32_t kIndexes = 65536;  // the store's 16-bit element index

template <typename T>
T SlotAs(const unsigned char* block, int slot) {
  T value;
  std::memcpy(&value, block + ZOL_NUMERIC_SLOT_OFFSET(slot), sizeof value);
  return value;
}

// Indexes start, start + 1, ... (count of them, modulo 65536) that lie inside
// an array of `size` elements, as at most two runs.
std::vector<IndexRun> RunsInside(uint16_t start, int64_t count, uint16_t size) {
  std::vector<IndexRun> runs;
  if (count <= 0 || size == 0)
    return runs;
  if (count >= kIndexes)
    return {{0, size}};
  const uint32_t end = start + static_cast<uint32_t>(count);
  if (start < size)
    runs.push_back({start, std::min<uint32_t>(end, size) - start});
  if (end > kIndexes)
    runs.push_back({0, std::min<uint32_t>(end - kIndexes, size)});
  return runs;
}

ArrayReach InfoOf(uint16_t number) {
  uint8_t type = 0;
  uint16_t count = 0;
  int32_t unused[4] = {};
  GetArrayInfo(number, &type, &unused[0], &count, &unused[1], &unused[2], &unused[3]);
  return {number, type, count, false, {}};
}

// Byte packing: array, start and count in the given slots.
ArrayReach BytePackingReach(const unsigned char* block, int arraySlot) {
  ArrayReach reach = InfoOf(SlotAs<uint16_t>(block, arraySlot));
  reach.runs = RunsInside(static_cast<uint16_t>(SlotAs<int32_t>(block, arraySlot + 1)),
                          SlotAs<int32_t>(block, arraySlot + 2), reach.count);
  return reach;
}

json RunJson(const ArrayReach& reach, const IndexRun& run) {
  json elements = json::array();
  for (uint32_t i = 0; i < run.length; ++i) {
    const auto index = static_cast<uint16_t>(run.from + i);
    if (reach.doubles) {
      double value = 0;
      ReadArrayFloatDataItem(reach.number, index, &value);
      elements.push_back(DoubleJson(value));
    } else {
      int32_t value = 0;
      ReadArrayDataItem(reach.number, index, &value);
      elements.push_back(value);
    }
  }
  return {{"from", run.from}, {reach.doubles ? "doubles" : "integers", elements}};
}

}  // namespace

std::optional<ArrayReach> ReachOfCall(int32_t fn, const unsigned char* block) {
  switch (fn) {
    case ZOL_FN_GET_ARRAY_SIZE:
      return InfoOf(SlotAs<uint16_t>(block, 0));
    case ZOL_FN_SUM_ARRAY:
    case ZOL_FN_AVERAGE_ARRAY: {
      ArrayReach reach = InfoOf(SlotAs<uint16_t>(block, 0));
      const int32_t explicitCount = SlotAs<int32_t>(block, 1);
      reach.doubles = reach.type == ZOL_ARRAY_TYPE_FLOAT;
      reach.runs = RunsInside(0, explicitCount != 0 ? explicitCount : reach.count, reach.count);
      return reach;
    }
    case ZOL_FN_WRITE_INTEGER_BYTES:
      return BytePackingReach(block, 1);
    case ZOL_FN_READ_INTEGER_BYTES:
      return BytePackingReach(block, 0);
    default:
      return std::nullopt;
  }
}

json ArrayJson(const ArrayReach& reach) {
  return {{"number", reach.number},
          {"type", reach.type},
          {"count", reach.count},
          {"parts", PartsJson(reach)}};
}

json PartsJson(const ArrayReach& reach) {
  json parts = json::array();
  for (const IndexRun& run : reach.runs) {
    parts.push_back(RunJson(reach, run));
  }
  return parts;
}

ArrayReach ReachFromJson(const json& entry) {
  ArrayReach reach{entry.at("number").get<uint16_t>(),
                   entry.at("type").get<uint8_t>(),
                   entry.at("count").get<uint16_t>(),
                   false,
                   {}};
  for (const json& part : entry.at("parts")) {
    reach.doubles = part.contains("doubles");
    const json& elements = part.at(reach.doubles ? "doubles" : "integers");
    if (elements.empty() || elements.size() > kIndexes)
      throw std::invalid_argument("a part holds 1 to 65536 elements");
    reach.runs.push_back({part.at("from").get<uint16_t>(), static_cast<uint32_t>(elements.size())});
  }
  return reach;
}

}  // namespace zolcalls
