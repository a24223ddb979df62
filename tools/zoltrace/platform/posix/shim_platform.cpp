// POSIX: getenv, dladdr for the shim's own file, O_APPEND writes.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "shim_platform.h"

namespace zoltrace::platform {

std::filesystem::path EnvironmentPath(const char* name) {
  const char* value =
      std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read once, on the first call
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path ShimDirectory() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ShimDirectory), &info) == 0 || info.dli_fname == nullptr)
    return std::filesystem::current_path();
  return std::filesystem::absolute(info.dli_fname).parent_path();
}

bool IsInShim(const void* address) {
  Dl_info shim{};
  Dl_info other{};
  return dladdr(reinterpret_cast<void*>(&ShimDirectory), &shim) != 0 &&
         dladdr(address, &other) != 0 && shim.dli_fbase == other.dli_fbase;
}

std::string_view TracedLibraryName() {
  return "libzolutilities.traced.so";
}

uint64_t ThreadId() {
  // gettid is a system call; a thread's id never changes.
  thread_local const auto id = static_cast<uint64_t>(gettid());
  return id;
}

TraceFile::TraceFile(const std::filesystem::path& path)
    : descriptor_(open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {}

TraceFile::~TraceFile() {
  if (IsOpen())
    close(descriptor_);
}

bool TraceFile::IsOpen() const {
  return descriptor_ >= 0;
}

void TraceFile::Append(std::string_view text) const {
  if (!IsOpen())
    return;
  // A line that cannot be written is lost, as documented; with _FORTIFY_SOURCE
  // write() must not be discarded with a cast, so the count is kept and unused.
  [[maybe_unused]] const ssize_t written = write(descriptor_, text.data(), text.size());
}

}  // namespace zoltrace::platform
