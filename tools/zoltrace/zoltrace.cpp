// The tracing shim: a DoZolFunction that loads the real library on its first
// call, forwards every call to it and appends one JSON line per call to a
// trace file.
//
//   ZOLTRACE_LIBRARY  the real library (default: libzolutilities.traced.so /
//                     ZolUtilities.traced.dll beside the shim)
//   ZOLTRACE_FILE     the trace (default: zoltrace.jsonl beside the shim),
//                     appended to
//
// Loading waits for the first call, never the loader's own start-up (no
// LoadLibrary under the loader lock). If the real library cannot be loaded,
// every call returns 3, as for an unknown function, and touches nothing; the
// reason is the trace's one line. Tracing never fails a call: a trace file
// that cannot be opened or written, or a line that cannot be built, only
// costs the line.
//
// The shim's own work (building the line, timing, formatting doubles) runs in
// the default floating-point state: a host that unmasked floating-point traps
// must not trap in the shim. Only the forwarded call runs in the host's state,
// as it would without the shim.
#include <atomic>
#include <mutex>

#include "call_trace.h"
#include "library_loader.h"
#include "numeric/fp_environment.h"
#include "shim_platform.h"
#include "zolutilities.h"

namespace zoltrace {
namespace {

struct Shim {
  ZolFunctionPointer entry = nullptr;
  std::optional<platform::TraceFile> trace;
  std::mutex writing;
  std::atomic<uint64_t> sequence{0};

  Shim() noexcept {
    const zol::DefaultFloatingPoint defaultState;
    try {
      Start();
    } catch (...) {  // out of memory: forward what could be loaded, untraced
      trace.reset();
    }
  }

  void Start() {
    const std::filesystem::path here = platform::ShimDirectory();
    std::filesystem::path file = platform::EnvironmentPath("ZOLTRACE_FILE");
    std::filesystem::path library = platform::EnvironmentPath("ZOLTRACE_LIBRARY");
    trace.emplace(file.empty() ? here / "zoltrace.jsonl" : file);
    if (!trace->IsOpen())
      trace.reset();
    if (library.empty())
      library = here / platform::TracedLibraryName();
    zolcalls::LoadedEntry loaded = zolcalls::LoadEntryPoint(library);
    if (loaded.entry != nullptr &&
        platform::IsInShim(reinterpret_cast<const void*>(loaded.entry))) {
      // the shim itself: every call would recurse
      loaded = {nullptr, zolcalls::PathToUtf8(library) + " is the tracing shim, not the library"};
    }
    entry = loaded.entry;
    if (entry == nullptr)
      Write(zolcalls::json{{"error", loaded.error}}.dump() + "\n");
  }

  void Write(const std::string& line) {
    if (!trace)
      return;
    const std::lock_guard<std::mutex> lock(writing);
    trace->Append(line);
  }
};

// Built on the first call; C++ makes that thread-safe.
Shim& TheShim() {
  static Shim shim;
  return shim;
}

int32_t TracedCall(Shim& shim, const CallArguments& call) noexcept {
  std::optional<CallTrace> trace;
  try {
    const zol::DefaultFloatingPoint defaultState;
    trace.emplace(shim.sequence.fetch_add(1, std::memory_order_relaxed), call);
  } catch (...) {  // no line for this call
  }
  const auto started = std::chrono::steady_clock::now();
  const int32_t status = shim.entry(call.function, call.block, call.value, call.text);
  const auto took = std::chrono::steady_clock::now() - started;
  try {
    const zol::DefaultFloatingPoint defaultState;
    if (trace)
      shim.Write(trace->Finish(call, status, took));
  } catch (...) {  // no line for this call
  }
  return status;
}

}  // namespace
}  // namespace zoltrace

extern "C" int32_t ZOL_CALL DoZolFunction(int32_t functionNumber, void* parameterBlock,
                                          void* resultValue, uint16_t* resultText) {
  zoltrace::Shim& shim = zoltrace::TheShim();
  if (shim.entry == nullptr)
    return ZOL_STATUS_UNKNOWN_FUNCTION;
  const zoltrace::CallArguments call{functionNumber, parameterBlock, resultValue, resultText};
  if (!shim.trace)
    return shim.entry(functionNumber, parameterBlock, resultValue, resultText);
  return zoltrace::TracedCall(shim, call);
}
