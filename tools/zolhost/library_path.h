// Where zolhost finds the library, and paths typed as UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "library_loader.h"

namespace zolhost {

// The library beside the program, else the one in ../lib or in the install's
// library folder.
// Throws HostError naming the places it looked.
std::filesystem::path DefaultLibrary();

std::filesystem::path PathFromUtf8(std::string_view utf8);
using zolcalls::PathToUtf8;

// Loads the library by path the way a host does and resolves DoZolFunction.
// Throws HostError with the loader's reason.
ZolFunctionPointer LoadLibraryEntry(const std::filesystem::path& library);

}  // namespace zolhost
