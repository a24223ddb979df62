// Reading a trace written by the tracing shim (tools/zoltrace): one JSON
// object per line, as tools/zolcalls/trace_record.h describes.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "trace_record.h"

namespace zolhost {

struct TraceLine {
  int number;  // 1-based line of the file
  const zolcalls::json& call;
};

// Calls `each` for every call line, in file order; a line the shim wrote
// because it could not load its library goes to `notes` as "line N: reason".
// Throws HostError if the file cannot be read, UsageError for a line that is
// not a trace line (naming the file and line).
void ForEachCall(const std::filesystem::path& file,
                 const std::function<void(const TraceLine&)>& each,
                 std::vector<std::string>& notes);

// "ArcSine (3)", or "unknown function (19)".
std::string CallName(const zolcalls::json& call);

}  // namespace zolhost
