// POSIX: dlopen/dlsym.
#include "library_loader.h"

#include <dlfcn.h>

namespace zolcalls {

// dlerror's text is per thread, and read right after the failing call.
// NOLINTBEGIN(concurrency-mt-unsafe)
LoadedEntry LoadEntryPoint(const std::filesystem::path& library) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return {nullptr, "cannot load the library " + PathToUtf8(library) + ": " + dlerror()};
  }
  dlerror();
  void* symbol = dlsym(handle, "DoZolFunction");
  if (symbol == nullptr) {
    const char* found = dlerror();
    std::string reason = found != nullptr ? found : "the symbol is null";
    dlclose(handle);
    return {nullptr, "cannot find DoZolFunction in " + PathToUtf8(library) + ": " + reason};
  }
  // cppcheck-suppress resourceLeak
  return {reinterpret_cast<ZolFunctionPointer>(symbol), {}};
}
// NOLINTEND(concurrency-mt-unsafe)

}  // namespace zolcalls
