// Loading the library by path, as a host does (dlopen / LoadLibraryW), for
// zolhost and for the tracing shim in front of the real library.
#pragma once

#include <filesystem>
#include <string>

#include "zolutilities.h"

namespace zolcalls {

struct LoadedEntry {
  ZolFunctionPointer entry = nullptr;  // null when loading failed
  std::string error;                   // "cannot load the library PATH: <the loader's reason>"
};

// Loads the library and resolves DoZolFunction. The library stays loaded for
// the rest of the process: the entry point lives in it. Throws nothing but
// std::bad_alloc.
LoadedEntry LoadEntryPoint(const std::filesystem::path& library);

// A path as UTF-8, for messages.
inline std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace zolcalls
