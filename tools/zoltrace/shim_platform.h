// What the tracing shim needs from the operating system, implemented once per
// platform (platform/posix, platform/win32). Nothing here throws but
// std::bad_alloc.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace zoltrace::platform {

// The value of an environment variable as a path; empty when it is not set.
std::filesystem::path EnvironmentPath(const char* name);

// The folder that holds the shim itself.
std::filesystem::path ShimDirectory();

// Whether `address` lies in the shim's own module. Comparing with the shim's
// DoZolFunction would not do on POSIX: that name binds to whichever library
// defined it first in the process, which may be the real one.
bool IsInShim(const void* address);

// The default name of the real library, which sits beside the shim.
std::string_view TracedLibraryName();

// The calling thread, as the system's tools show it.
uint64_t ThreadId();

// A file opened for appending. Append writes the whole text with one system
// call, so that lines from several threads or processes do not interleave;
// failures are ignored.
class TraceFile {
 public:
  explicit TraceFile(const std::filesystem::path& path);
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  bool IsOpen() const;
  void Append(std::string_view text) const;

 private:
  int descriptor_ = -1;     // POSIX
  void* handle_ = nullptr;  // Windows: the file's HANDLE
};

}  // namespace zoltrace::platform
