// Windows-only helpers that zolhost and the tracing shim share. Kept out of
// library_loader.h so that the sources including that header compile alike on
// both platforms.
#pragma once

#include <filesystem>
#include <string>

namespace zolcalls {

// Windows text (UTF-16) as UTF-8.
std::string WideToUtf8(const wchar_t* text);

// The folder of the module (DLL) that holds `address`; of the program for null.
std::filesystem::path ModuleDirectory(const void* address);

// Whether both addresses lie in one loaded module (false when either lies in none).
bool InSameModule(const void* first, const void* second);

}  // namespace zolcalls
