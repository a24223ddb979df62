// Finding operations by name and describing their inputs.
#include "operations.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "errors.h"

namespace zolhost {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

const Operation& FindOperation(std::string_view nameOrNumber) {
  for (const Operation& op : Operations()) {
    if (EqualIgnoringCase(op.name, nameOrNumber) || std::to_string(op.number) == nameOrNumber) {
      return op;
    }
  }
  std::string valid;
  for (const Operation& op : Operations()) {
    valid += "\n  " + std::to_string(op.number) + " " + std::string(op.name);
  }
  throw UsageError("unknown operation '" + std::string(nameOrNumber) +
                   "'; valid operations (name in any letter case, or number):" + valid);
}

std::string DescribeField(const Field& field) {
  constexpr std::size_t kOptionWidth = 13;
  std::string out(field.option);
  out.resize(std::max(out.size() + 1, kOptionWidth), ' ');
  out += field.kind == SlotKind::Text ? "string " : "slot ";
  out += std::to_string(field.slot) + ", " + std::string(KindName(field.kind)) + ": ";
  out += field.meaning;
  return out;
}

}  // namespace zolhost
