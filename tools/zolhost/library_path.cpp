#include "library_path.h"

#include <vector>

#include "errors.h"
#include "platform/host_platform.h"

namespace zolhost {

std::filesystem::path DefaultLibrary() {
  const std::filesystem::path here = platform::ProgramDirectory();
  const std::filesystem::path name(platform::LibraryFileName());
  // Windows keeps the library beside the program; a POSIX build tree puts it
  // in ../lib, a POSIX install in its library folder (relative to bin/).
  const std::vector<std::filesystem::path> candidates = {here / name, here / ".." / "lib" / name,
                                                         here / ZOLHOST_INSTALL_LIBDIR / name};
  std::string tried;
  for (const auto& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
      return candidate.lexically_normal();
    }
    tried += "\n  " + PathToUtf8(candidate.lexically_normal());
  }
  throw HostError("cannot find " + std::string(platform::LibraryFileName()) +
                  "; give its path with --library. Looked in:" + tried);
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

ZolFunctionPointer LoadLibraryEntry(const std::filesystem::path& library) {
  const zolcalls::LoadedEntry loaded = zolcalls::LoadEntryPoint(library);
  if (loaded.entry == nullptr)
    throw HostError(loaded.error);
  return loaded.entry;
}

}  // namespace zolhost
