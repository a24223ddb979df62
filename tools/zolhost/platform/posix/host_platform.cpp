// POSIX: /proc/self/exe for the program's location.
#include "platform/host_platform.h"

namespace zolhost::platform {

std::vector<std::string> Arguments(int argc, char** argv) {
  return {argv, argv + argc};
}

void PrepareStandardStreams() {}

std::filesystem::path ProgramDirectory() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

std::string_view LibraryFileName() {
  return ZOLHOST_LIBRARY_FILE;
}

}  // namespace zolhost::platform
