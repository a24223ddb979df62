// Arrays files through the stand-in QorData's host API.
#include "array_file.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "QorDataHost.h"
#include "errors.h"
#include "library_path.h"

namespace zolhost {
namespace {

using nlohmann::ordered_json;

struct ArraySpec {
  uint16_t number;
  uint8_t type;
  std::vector<double> elements;  // exact for every 32-bit integer too
};

[[noreturn]] void Malformed(const std::string& where, const std::string& problem) {
  throw UsageError(where + ": " + problem);
}

int64_t IntegerMember(const ordered_json& object, const char* key, int64_t high,
                      const std::string& at) {
  if (!object.contains(key) || !object[key].is_number_integer()) {
    Malformed(at, std::string("\"") + key + "\" must be an integer");
  }
  const auto value = object[key].get<int64_t>();
  if (value < 0 || value > high) {
    Malformed(at, std::string("\"") + key + "\" must be 0 to " + std::to_string(high));
  }
  return value;
}

double Element(const ordered_json& value, bool isFloat, const std::string& at) {
  if (isFloat && value.is_number())
    return value.get<double>();
  if (!value.is_number_integer()) {
    Malformed(at, isFloat ? "must be a number" : "must be an integer (type is not 19)");
  }
  const auto i = value.get<int64_t>();
  if (i < INT32_MIN || i > INT32_MAX)
    Malformed(at, "does not fit a 32-bit integer element");
  return static_cast<double>(i);
}

ArraySpec ParseArray(const ordered_json& entry, const std::string& at) {
  if (!entry.is_object())
    Malformed(at, "must be an object with number, type and elements");
  ArraySpec spec{static_cast<uint16_t>(IntegerMember(entry, "number", UINT16_MAX, at)),
                 static_cast<uint8_t>(IntegerMember(entry, "type", UINT8_MAX, at)),
                 {}};
  if (!entry.contains("elements") || !entry["elements"].is_array()) {
    Malformed(at, "\"elements\" must be an array");
  }
  const ordered_json& elements = entry["elements"];
  if (elements.size() > UINT16_MAX)
    Malformed(at, "more than 65535 elements");
  for (std::size_t i = 0; i < elements.size(); ++i) {
    spec.elements.push_back(Element(elements[i], spec.type == QOR_TYPE_FLOAT,
                                    at + ".elements[" + std::to_string(i) + "]"));
  }
  return spec;
}

std::vector<ArraySpec> ParseFile(const ordered_json& document, const std::string& name) {
  if (!document.is_object() || !document.contains("arrays") || !document["arrays"].is_array()) {
    Malformed(name, "expected {\"arrays\": [...]}");
  }
  std::vector<ArraySpec> specs;
  std::set<uint16_t> seen;
  for (std::size_t i = 0; i < document["arrays"].size(); ++i) {
    const std::string at = name + ": arrays[" + std::to_string(i) + "]";
    specs.push_back(ParseArray(document["arrays"][i], at));
    if (!seen.insert(specs.back().number).second) {
      Malformed(at, "array " + std::to_string(specs.back().number) + " appears twice");
    }
  }
  return specs;
}

// One array as the store holds it, or null if there is none with that number.
ordered_json ReadArray(uint16_t number) {
  uint8_t type = 0;
  uint16_t count = 0;
  int32_t unused[4] = {};
  if (GetArrayInfo(number, &type, &unused[0], &count, &unused[1], &unused[2], &unused[3]) != 0) {
    return nullptr;
  }
  ordered_json elements = ordered_json::array();
  for (uint16_t i = 0; i < count; ++i) {
    double d = 0;
    int32_t n = 0;
    if (type == QOR_TYPE_FLOAT) {
      ReadArrayFloatDataItem(number, i, &d);
      elements.push_back(d);
    } else {
      ReadArrayDataItem(number, i, &n);
      elements.push_back(n);
    }
  }
  return {{"number", number}, {"type", type}, {"elements", elements}};
}

}  // namespace

void StoreArray(uint16_t number, uint8_t type, const std::vector<double>& elements) {
  const auto count = static_cast<uint16_t>(elements.size());
  bool ok = CreateArray(number, type, count) == 0;
  for (uint16_t i = 0; ok && i < count; ++i) {
    ok = type == QOR_TYPE_FLOAT
             ? WriteArrayFloatDataItem(number, i, elements[i]) == 0
             : WriteArrayDataItem(number, i, static_cast<int32_t>(elements[i])) == 0;
  }
  if (!ok) {
    throw HostError("the array store refused array " + std::to_string(number));
  }
}

void LoadArrays(const std::filesystem::path& file) {
  const std::string name = PathToUtf8(file);
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw HostError("cannot read the arrays file " + name);
  ordered_json document;
  try {
    document = ordered_json::parse(in);
  } catch (const ordered_json::parse_error& e) {
    throw UsageError(name + ": not valid JSON: " + e.what());
  }
  for (const ArraySpec& spec : ParseFile(document, name)) {
    StoreArray(spec.number, spec.type, spec.elements);
  }
}

void SaveArrays(const std::filesystem::path& file) {
  std::ostringstream text;
  text << "{\"arrays\": [";
  const char* separator = "\n  ";
  for (uint32_t number = 0; number <= UINT16_MAX; ++number) {
    const ordered_json array = ReadArray(static_cast<uint16_t>(number));
    if (array.is_null())
      continue;
    text << separator << array.dump();
    separator = ",\n  ";
  }
  text << "\n]}\n";
  std::ofstream out(file, std::ios::binary);
  out << text.str();
  if (!out.flush())
    throw HostError("cannot write the arrays file " + PathToUtf8(file));
}

}  // namespace zolhost
