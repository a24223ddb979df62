// zolhost: loads the ZolUtilities library as a host program does and runs its
// operations from the command line or from a script, showing what each call
// did to the caller areas.
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>

#include "array_file.h"
#include "call_request.h"
#include "errors.h"
#include "library_path.h"
#include "platform/host_platform.h"
#include "replay.h"
#include "report.h"
#include "script.h"
#include "session.h"
#include "trace_summary.h"

namespace zolhost {
namespace {

struct Options {
  std::string library;
  std::string arraysIn;
  std::string arraysOut;
  bool json = false;
  std::string script;
  std::string trace;
};

Session OpenSession(const Options& options) {
  if (!options.arraysIn.empty()) {
    LoadArrays(PathFromUtf8(options.arraysIn));
  }
  const auto library = options.library.empty() ? DefaultLibrary() : PathFromUtf8(options.library);
  return Session(LoadLibraryEntry(library));
}

void CloseSession(const Options& options) {
  if (!options.arraysOut.empty()) {
    SaveArrays(PathFromUtf8(options.arraysOut));
  }
}

int List(const Options& options) {
  if (options.json) {
    std::cout << OperationsToJson().dump(2) << "\n";
  } else {
    PrintOperations(std::cout);
  }
  return 0;
}

int Call(Options options, const std::vector<std::string>& words) {
  const CallRequest request = ParseCall(words, {.allowJson = true});
  if (request.help) {
    std::cout << OperationHelp(*request.operation);
    return 0;
  }
  options.json = options.json || request.json;
  Session session = OpenSession(options);
  const CallRecord record = session.Call(request);
  if (options.json) {
    std::cout << CallToJson(record).dump() << "\n";
  } else {
    PrintCall(std::cout, record);
  }
  std::cout.flush();
  CloseSession(options);
  return 0;
}

int Run(const Options& options) {
  const bool fromInput = options.script == "-";
  std::ifstream file;
  if (!fromInput) {
    file.open(PathFromUtf8(options.script), std::ios::binary);
    if (!file)
      throw HostError("cannot read the script " + options.script);
  }
  Session session = OpenSession(options);
  RunScript(fromInput ? std::cin : file, fromInput ? "<stdin>" : options.script, session,
            {std::cout, options.json});
  CloseSession(options);
  return 0;
}

int ReplayTrace(const Options& options) {
  const auto library = options.library.empty() ? DefaultLibrary() : PathFromUtf8(options.library);
  return Replay(LoadLibraryEntry(library), PathFromUtf8(options.trace), std::cout, options.json);
}

int TraceSummary(const Options& options) {
  SummariseTrace(PathFromUtf8(options.trace), std::cout, options.json);
  return 0;
}

constexpr const char* kUsage =
    "\nusage: zolhost [--library PATH] [--arrays FILE] [--save-arrays FILE] [--json] COMMAND\n"
    "commands: list | call OPERATION [inputs...] | run FILE|- | replay TRACE | trace-summary "
    "TRACE\n"
    "(zolhost --help for more)";

void RejectExtras(const std::vector<std::string>& extras, bool haveCommand) {
  if (extras.empty() && haveCommand)
    return;
  if (extras.empty())
    throw UsageError(std::string("missing command") + kUsage);
  const std::string& first = extras.front();
  throw UsageError((first.starts_with("-") ? "unknown option '" : "unknown command '") + first +
                   "'" + kUsage);
}

int Main(std::vector<std::string> args) {
  CLI::App app{"zolhost: loads the ZolUtilities library and calls its operations", "zolhost"};
  Options options;
  app.add_option("--library", options.library,
                 "the library to load (default: the one beside zolhost)");
  app.add_option("--arrays", options.arraysIn, "JSON file of arrays to load into the store first");
  app.add_option("--save-arrays", options.arraysOut, "JSON file to write the arrays to after");
  app.add_flag("--json", options.json, "print JSON instead of text");
  auto* list = app.add_subcommand("list", "the operations, their inputs and outputs");
  auto* call = app.add_subcommand("call", "call one operation: call OPERATION [inputs...]");
  call->prefix_command();
  auto* run = app.add_subcommand("run", "run a script of calls, one per line (- for stdin)");
  run->add_option("file", options.script, "the script")->required();

  // Traces of the tracing shim; --library and --json may follow the trace.
  auto* replay = app.add_subcommand("replay", "run a trace's calls again and compare every output");
  replay->add_option("trace", options.trace, "the trace file")->required();
  auto* summary =
      app.add_subcommand("trace-summary", "calls and durations per operation of a trace");
  summary->add_option("trace", options.trace, "the trace file")->required();
  for (auto* command : {replay, summary}) {
    command->fallthrough();
  }

  app.allow_extras();  // reported below, in zolhost's own words

  std::reverse(args.begin(), args.end());
  args.pop_back();  // the program name
  try {
    app.parse(args);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    throw UsageError(std::string(e.what()) + kUsage);
  }
  RejectExtras(app.remaining(), list->parsed() || call->parsed() || run->parsed() ||
                                    replay->parsed() || summary->parsed());
  if (replay->parsed())
    return ReplayTrace(options);
  if (summary->parsed())
    return TraceSummary(options);
  if (list->parsed()) {
    return List(options);
  }
  if (call->parsed()) {
    return Call(options, call->remaining());
  }
  return Run(options);
}

}  // namespace
}  // namespace zolhost

int main(int argc, char** argv) {
  using namespace zolhost;
  platform::PrepareStandardStreams();
  try {
    return Main(platform::Arguments(argc, argv));
  } catch (const UsageError& e) {
    std::cerr << "zolhost: " << e.what() << "\n";
    return kExitUsageError;
  } catch (const std::exception& e) {  // HostError, and the system's own failures
    std::cerr << "zolhost: " << e.what() << "\n";
    return kExitHostError;
  }
}
