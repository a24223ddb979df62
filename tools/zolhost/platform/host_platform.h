// What zolhost needs from the operating system, implemented once per platform
// (platform/posix, platform/win32): its arguments as UTF-8, binary standard
// streams and its own location.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "zolutilities.h"

namespace zolhost::platform {

// The command line as UTF-8 words, program name first.
std::vector<std::string> Arguments(int argc, char** argv);

// Standard output and error carry UTF-8 bytes unchanged (no newline
// translation, and a console that shows UTF-8).
void PrepareStandardStreams();

// The folder that holds the running program.
std::filesystem::path ProgramDirectory();

// The library's file name on this platform.
std::string_view LibraryFileName();

}  // namespace zolhost::platform
