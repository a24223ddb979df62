// Where zolhost finds the library, and paths typed as UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zolhost {

// The library beside the program, else the one in ../lib or in the install's
// library folder.
// Throws HostError naming the places it looked.
std::filesystem::path DefaultLibrary();

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace zolhost
