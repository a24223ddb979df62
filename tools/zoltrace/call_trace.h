// One call's trace line (see tools/zolcalls/trace_record.h for its members):
// begun before the call is forwarded, with everything the call may read or
// change as it was then, and finished after it with the status, the duration
// and what changed.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "array_snapshot.h"
#include "trace_record.h"

namespace zoltrace {

// The arguments of one DoZolFunction call.
struct CallArguments {
  int32_t function;
  void* block;
  void* value;
  uint16_t* text;
};

class CallTrace {
 public:
  // Reads the areas and, for an array call, the part of the array it reaches.
  CallTrace(uint64_t sequence, const CallArguments& call);

  // The whole line, newline included.
  std::string Finish(const CallArguments& call, int32_t status, std::chrono::nanoseconds took);

 private:
  zolcalls::json line_;
  zolcalls::AreaImage before_;
  std::optional<zolcalls::ArrayReach> reach_;
};

}  // namespace zoltrace
