// POSIX: dlopen/dlsym, and /proc/self/exe for the program's location.
#include "platform/host_platform.h"

#include <dlfcn.h>

#include "errors.h"

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

// dlerror's text is per thread; zolhost loads the library on its only thread.
// NOLINTBEGIN(concurrency-mt-unsafe)
ZolFunctionPointer LoadEntryPoint(const std::filesystem::path& library) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    throw HostError("cannot load the library " + library.string() + ": " + dlerror());
  }
  dlerror();
  void* symbol = dlsym(handle, "DoZolFunction");
  if (symbol == nullptr) {
    const char* found = dlerror();
    std::string reason = found != nullptr ? found : "the symbol is null";
    dlclose(handle);
    throw HostError("cannot find DoZolFunction in " + library.string() + ": " + reason);
  }
  // The library stays loaded for the rest of the process: the entry point lives in it.
  // cppcheck-suppress resourceLeak
  return reinterpret_cast<ZolFunctionPointer>(symbol);
}
// NOLINTEND(concurrency-mt-unsafe)

}  // namespace zolhost::platform
