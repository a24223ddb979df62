#include "call_trace.h"

#include "shim_platform.h"

namespace zoltrace {
namespace {

int64_t NanosecondsSinceEpoch() {
  using std::chrono::duration_cast;
  using std::chrono::nanoseconds;
  return duration_cast<nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

}  // namespace

CallTrace::CallTrace(uint64_t sequence, const CallArguments& call)
    : line_{{"seq", sequence},
            {"thread", platform::ThreadId()},
            {"start_ns", NanosecondsSinceEpoch()},
            {"function", call.function}},
      before_(zolcalls::AreaImage::Of(call.block, call.value, call.text)) {
  const zolcalls::Operation* op = zolcalls::OperationByNumber(call.function);
  if (op == nullptr)
    return;
  line_["operation"] = op->name;
  line_["inputs"] = zolcalls::InputsJson(*op, before_.block.data());
  line_["before"] = zolcalls::BeforeJson(call.function, before_);
  reach_ = zolcalls::ReachOfCall(call.function, before_.block.data());
  if (reach_)
    line_["arrays"] = zolcalls::json::array({zolcalls::ArrayJson(*reach_)});
}

std::string CallTrace::Finish(const CallArguments& call, int32_t status,
                              std::chrono::nanoseconds took) {
  line_["status"] = status;
  line_["duration_ns"] = took.count();
  line_["changes"] =
      zolcalls::ChangesJson(before_, zolcalls::AreaImage::Of(call.block, call.value, call.text));
  if (reach_ && call.function == ZOL_FN_WRITE_INTEGER_BYTES)
    line_["arrays"][0]["after"] = zolcalls::PartsJson(*reach_);
  return line_.dump() + "\n";
}

}  // namespace zoltrace
