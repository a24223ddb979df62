// Windows: the wide command line, and the program's location.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/host_platform.h"
#include "platform/win32/windows_text.h"

namespace zolhost::platform {
using zolcalls::WideToUtf8;

std::vector<std::string> Arguments(int, char**) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    out.push_back(WideToUtf8(words[i]));
  }
  LocalFree(words);
  return out;
}

void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

std::filesystem::path ProgramDirectory() {
  return zolcalls::ModuleDirectory(nullptr);
}

std::string_view LibraryFileName() {
  return "ZolUtilities.dll";
}

}  // namespace zolhost::platform
