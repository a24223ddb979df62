#include "replay.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "array_file.h"
#include "array_snapshot.h"
#include "library_path.h"
#include "text16.h"
#include "trace_file.h"

namespace zolhost {
namespace {

using zolcalls::AreaImage;
using zolcalls::json;

bool Comparable(int32_t fn) {
  switch (fn) {
    case ZOL_FN_START_TIMER:
    case ZOL_FN_READ_ELAPSED_TIME:
    case ZOL_FN_PLAY_SOUND_FILE:
    case ZOL_FN_STOP_SOUND:
    case ZOL_FN_GET_SYSTEM_ERROR_TEXT:
      return false;
    default:
      return true;
  }
}

const json& Member(const json& call, const char* key) {
  static const json kNone = json::array();
  return call.contains(key) ? call[key] : kNone;
}

void PutString(AreaImage& image, const json& input) {
  const int k = input.at("string").get<int>();
  const auto units = input.at("units").get<std::vector<uint16_t>>();
  if (k < 0 || k >= ZOL_STRING_SLOT_COUNT || units.size() > ZOL_TEXT_UNITS)
    throw std::invalid_argument("a string input that does not fit its slot");
  std::memcpy(image.block.data() + ZOL_STRING_SLOT_OFFSET_OF(k), units.data(), units.size() * 2);
}

// Recorded bytes {"area": ..., "offset": ..., key: "hex"} into the image.
void PutRecorded(AreaImage& image, const json& range, const char* key) {
  zolcalls::PutBytes(image, range.at("area").get<std::string>(),
                     range.at("offset").get<std::size_t>(), range.at(key).get<std::string>());
}

// Zeroed areas with the recorded inputs and the bytes the call may change.
AreaImage StartingAreas(const json& call) {
  AreaImage image;
  for (const json& input : Member(call, "inputs")) {
    if (input.contains("string")) {
      PutString(image, input);
    } else {
      const int slot = input.at("slot").get<int>();
      if (slot < 0 || slot >= ZOL_NUMERIC_SLOT_COUNT)
        throw std::invalid_argument("no numeric slot " + std::to_string(slot));
      zolcalls::PutBytes(image, "block", ZOL_NUMERIC_SLOT_OFFSET(slot),
                         input.at("bytes").get<std::string>());
    }
  }
  for (const json& range : Member(call, "before")) {
    PutRecorded(image, range, "bytes");
  }
  return image;
}

AreaImage ExpectedAreas(AreaImage image, const json& call) {
  for (const json& change : Member(call, "changes")) {
    PutRecorded(image, change, "after");
  }
  return image;
}

void RebuildArrays(const json& call) {
  for (const json& entry : Member(call, "arrays")) {
    const zolcalls::ArrayReach reach = zolcalls::ReachFromJson(entry);
    std::vector<double> elements(reach.count, 0.0);
    for (const json& part : entry.at("parts")) {
      const bool doubles = part.contains("doubles");
      std::size_t at = part.at("from").get<uint16_t>();
      for (const json& value : part.at(doubles ? "doubles" : "integers")) {
        if (at >= elements.size())
          throw std::invalid_argument("an element past the array's count");
        elements[at++] = doubles ? zolcalls::DoubleFromJson(value) : value.get<int32_t>();
      }
    }
    StoreArray(reach.number, reach.type, elements);
  }
}

// Everything the call did otherwise than recorded.
json Differences(const json& call, int32_t status, const AreaImage& expected,
                 const AreaImage& got) {
  json out = json::array();
  const auto recorded = call.at("status").get<int32_t>();
  if (status != recorded)
    out.push_back({{"what", "status"}, {"expected", recorded}, {"got", status}});
  for (const json& change : zolcalls::ChangesJson(expected, got)) {
    out.push_back({{"what", change["area"]},
                   {"offset", change["offset"]},
                   {"expected", change["before"]},
                   {"got", change["after"]}});
  }
  for (const json& entry : Member(call, "arrays")) {
    if (!entry.contains("after"))
      continue;
    const json now = zolcalls::PartsJson(zolcalls::ReachFromJson(entry));
    if (now != entry["after"]) {
      out.push_back({{"what", "array " + std::to_string(entry.at("number").get<int>())},
                     {"expected", entry["after"]},
                     {"got", now}});
    }
  }
  return out;
}

struct Tally {
  int replayed = 0;
  int identical = 0;
  int different = 0;
  json differences = json::array();
  json notComparable = json::array();
  std::vector<std::string> notes;
};

void ReplayCall(ZolFunctionPointer entry, const TraceLine& line, Tally& tally) {
  const json& call = line.call;
  const auto fn = call.at("function").get<int32_t>();
  const AreaImage start = StartingAreas(call);
  const AreaImage expected = ExpectedAreas(start, call);
  RebuildArrays(call);
  AreaImage got = start;
  const int32_t status =
      entry(fn, got.block.data(), got.value.data(), reinterpret_cast<uint16_t*>(got.text.data()));
  ++tally.replayed;
  if (!Comparable(fn)) {
    tally.notComparable.push_back({{"line", line.number}, {"operation", CallName(call)}});
    return;
  }
  json differences = Differences(call, status, expected, got);
  if (differences.empty()) {
    ++tally.identical;
    return;
  }
  ++tally.different;
  tally.differences.push_back({{"line", line.number},
                               {"seq", Member(call, "seq")},
                               {"operation", CallName(call)},
                               {"inputs", Member(call, "inputs")},
                               {"differences", differences}});
}

std::string InputText(const json& input) {
  if (input.contains("string")) {
    const auto units = input.at("units").get<std::u16string>();
    return "string " + input["string"].dump() + " \"" + EncodeText(units) + "\"";
  }
  const json& value = input.at("value");
  return "slot " + input["slot"].dump() + " " + input.at("kind").get<std::string>() + " " +
         (value.is_string() ? value.get<std::string>() : value.dump()) + " (" +
         input.at("bytes").get<std::string>() + ")";
}

std::string DifferenceText(const json& d) {
  const std::string what = d.at("what").get<std::string>();
  if (what == "status" || what.starts_with("array")) {
    return what + ": expected " + d["expected"].dump() + ", got " + d["got"].dump();
  }
  const auto first = d.at("offset").get<std::size_t>();
  const auto last = first + d.at("expected").get<std::string>().size() / 2 - 1;
  return what + " bytes " + std::to_string(first) + ".." + std::to_string(last) + ": expected " +
         d["expected"].get<std::string>() + ", got " + d["got"].get<std::string>();
}

void PrintText(std::ostream& out, const std::string& trace, const Tally& t) {
  out << "replayed " << t.replayed << " calls of " << trace << ": " << t.identical << " identical, "
      << t.different << " different, " << t.notComparable.size() << " not comparable\n";
  for (const json& call : t.differences) {
    out << "line " << call["line"] << ": " << call["operation"].get<std::string>() << " differs\n";
    for (const json& input : call["inputs"]) {
      out << "  input " << InputText(input) << "\n";
    }
    for (const json& d : call["differences"]) {
      out << "  " << DifferenceText(d) << "\n";
    }
  }
  if (!t.notComparable.empty()) {
    const char* separator = "not comparable (run, not compared): ";
    for (const json& call : t.notComparable) {
      out << separator << "line " << call["line"] << " " << call["operation"].get<std::string>();
      separator = ", ";
    }
    out << "\n";
  }
  for (const std::string& note : t.notes) {
    out << "note: " << note << "\n";
  }
}

}  // namespace

int Replay(ZolFunctionPointer entry, const std::filesystem::path& trace, std::ostream& out,
           bool asJson) {
  Tally tally;
  ForEachCall(
      trace, [&](const TraceLine& line) { ReplayCall(entry, line, tally); }, tally.notes);
  const std::string name = PathToUtf8(trace);
  if (asJson) {
    out << json{{"trace", name},
                {"replayed", tally.replayed},
                {"identical", tally.identical},
                {"different", tally.different},
                {"not_comparable", tally.notComparable.size()},
                {"differences", tally.differences},
                {"not_comparable_calls", tally.notComparable},
                {"notes", tally.notes}}
               .dump(2)
        << "\n";
  } else {
    PrintText(out, name, tally);
  }
  return tally.different == 0 ? 0 : 1;
}

}  // namespace zolhost
