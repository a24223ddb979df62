// Text and JSON views of calls and of the operation table.
#include "report.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "text16.h"
#include "trace_record.h"

namespace zolhost {
namespace {

using json = nlohmann::ordered_json;

// Shortest text that reads back as the same double.
std::string FormatDouble(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

using zolcalls::Hex;

std::string Quote(std::u16string_view text) {
  std::string out(1, '"');
  out += EncodeText(text);
  out += '"';
  return out;
}

// How the operation uses a numeric slot, if it does.
std::optional<SlotKind> KindOfSlot(const Operation& op, int slot) {
  for (const auto* fields : {&op.writes, &op.inputs}) {
    for (const Field& f : *fields) {
      if (f.kind != SlotKind::Text && f.slot == slot)
        return f.kind;
    }
  }
  return std::nullopt;
}

json SlotValue(std::optional<SlotKind> kind, const SlotBytes& bytes) {
  if (!kind)
    return Hex(bytes.data(), bytes.size());
  switch (*kind) {
    case SlotKind::Double: {
      const double d = SlotDouble(bytes);
      return std::isfinite(d) ? json(d) : json(FormatDouble(d));
    }
    case SlotKind::ArrayNumber:
      return SlotArrayNumber(bytes);
    default:
      return SlotInteger(bytes);
  }
}

std::string SlotValueText(std::optional<SlotKind> kind, const SlotBytes& bytes) {
  if (kind == SlotKind::Double)
    return FormatDouble(SlotDouble(bytes));
  const json value = SlotValue(kind, bytes);
  return value.is_string() ? value.get<std::string>() : value.dump();
}

json ResultJson(const Operation& op, const CallerAreas& areas) {
  json result{{"type", KindName(op.result)}};
  switch (op.result) {
    case ResultKind::Integer:
      result["value"] = ResultInteger(areas);
      break;
    case ResultKind::Double: {
      const double d = ResultDouble(areas);
      result["value"] = std::isfinite(d) ? json(d) : json(FormatDouble(d));
      result["bits"] = zolcalls::DoubleBitsHex(d);
      break;
    }
    case ResultKind::Text:
      result["value"] = EncodeText(ResultText(areas));
      break;
    case ResultKind::None:
      break;
  }
  return result;
}

std::string ResultLine(const Operation& op, const CallerAreas& areas) {
  std::string line = "result " + std::string(KindName(op.result));
  switch (op.result) {
    case ResultKind::Integer:
      return line + " " + std::to_string(ResultInteger(areas));
    case ResultKind::Double:
      return line + " " + FormatDouble(ResultDouble(areas));
    case ResultKind::Text:
      return line + " " + Quote(ResultText(areas));
    case ResultKind::None:
      return line;
  }
  return line;
}

// Every numeric slot and string slot whose bytes differ.
json Changes(const CallRecord& r) {
  json changes = json::array();
  for (int k = 0; k < ZOL_NUMERIC_SLOT_COUNT; ++k) {
    const SlotBytes before = ReadSlot(r.before, k);
    const SlotBytes after = ReadSlot(r.after, k);
    if (before == after)
      continue;
    const auto kind = KindOfSlot(*r.operation, k);
    changes.push_back({{"area", "slot"},
                       {"index", k},
                       {"kind", kind ? KindName(*kind) : "bytes"},
                       {"before", SlotValue(kind, before)},
                       {"after", SlotValue(kind, after)},
                       {"bytes_before", Hex(before.data(), before.size())},
                       {"bytes_after", Hex(after.data(), after.size())}});
  }
  for (int k = 0; k < ZOL_STRING_SLOT_COUNT; ++k) {
    if (!StringSlotChanged(r.before, r.after, k))
      continue;
    changes.push_back({{"area", "string"},
                       {"index", k},
                       {"before", EncodeText(ReadString(r.before, k))},
                       {"after", EncodeText(ReadString(r.after, k))}});
  }
  return changes;
}

void PrintChange(std::ostream& out, const CallRecord& r, const json& change) {
  const int k = change["index"].get<int>();
  if (change["area"] == "string") {
    out << "  changed string " << k << ": " << Quote(ReadString(r.before, k)) << " -> "
        << Quote(ReadString(r.after, k)) << "\n";
    return;
  }
  const auto kind = KindOfSlot(*r.operation, k);
  out << "  changed slot " << k << " (" << change["kind"].get<std::string>()
      << "): " << SlotValueText(kind, ReadSlot(r.before, k)) << " -> "
      << SlotValueText(kind, ReadSlot(r.after, k)) << "\n";
}

}  // namespace

void PrintCall(std::ostream& out, const CallRecord& r) {
  const Operation& op = *r.operation;
  out << op.name << " (" << op.number << "): status " << r.status << "\n";
  out << "  " << ResultLine(op, r.after) << "\n";
  for (const json& change : Changes(r)) {
    PrintChange(out, r, change);
  }
}

json CallToJson(const CallRecord& r) {
  return {{"operation", r.operation->name},
          {"number", r.operation->number},
          {"status", r.status},
          {"result", ResultJson(*r.operation, r.after)},
          {"changes", Changes(r)}};
}

void PrintOperations(std::ostream& out) {
  for (const Operation& op : Operations()) {
    out << op.number << " " << op.name << ": " << op.summary << "\n";
    for (const Field& f : op.inputs) {
      out << "    " << DescribeField(f) << "\n";
    }
    for (const Field& f : op.writes) {
      out << "    writes " << (f.kind == SlotKind::Text ? "string " : "slot ") << f.slot << " ("
          << KindName(f.kind) << "): " << f.meaning << "\n";
    }
    out << "    result: " << KindName(op.result);
    if (!op.resultMeaning.empty())
      out << ", " << op.resultMeaning;
    out << "\n";
  }
}

json OperationsToJson() {
  json list = json::array();
  for (const Operation& op : Operations()) {
    json inputs = json::array();
    for (const Field& f : op.inputs) {
      inputs.push_back({{"option", f.option},
                        {"kind", KindName(f.kind)},
                        {"slot", f.slot},
                        {"meaning", f.meaning}});
    }
    json writes = json::array();
    for (const Field& f : op.writes) {
      writes.push_back({{"kind", KindName(f.kind)}, {"slot", f.slot}, {"meaning", f.meaning}});
    }
    list.push_back({{"number", op.number},
                    {"name", op.name},
                    {"summary", op.summary},
                    {"inputs", inputs},
                    {"writes", writes},
                    {"result", KindName(op.result)}});
  }
  return {{"operations", list}};
}

}  // namespace zolhost
