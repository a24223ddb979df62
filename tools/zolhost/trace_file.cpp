#include "trace_file.h"

#include <fstream>

#include "errors.h"
#include "library_path.h"

namespace zolhost {

void ForEachCall(const std::filesystem::path& file,
                 const std::function<void(const TraceLine&)>& each,
                 std::vector<std::string>& notes) {
  const std::string name = PathToUtf8(file);
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw HostError("cannot read the trace " + name);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (text.find_first_not_of(" \t\r") == std::string::npos)
      continue;
    const std::string at = name + ":" + std::to_string(number);
    const zolcalls::json line = zolcalls::json::parse(text, nullptr, false);
    if (line.is_object() && line.contains("error") && line["error"].is_string()) {
      notes.push_back("line " + std::to_string(number) + ": " + line["error"].get<std::string>());
      continue;
    }
    if (!line.is_object() || !line.contains("function") || !line["function"].is_number_integer())
      throw UsageError(at + ": not a trace line");
    try {
      each({number, line});
    } catch (const zolcalls::json::exception& e) {
      throw UsageError(at + ": " + e.what());
    } catch (const std::invalid_argument& e) {
      throw UsageError(at + ": " + e.what());
    }
  }
}

std::string CallName(const zolcalls::json& call) {
  const auto number = call.at("function").get<int32_t>();
  const zolcalls::Operation* op = zolcalls::OperationByNumber(number);
  return (op != nullptr ? std::string(op->name) : "unknown function") + " (" +
         std::to_string(number) + ")";
}

}  // namespace zolhost
