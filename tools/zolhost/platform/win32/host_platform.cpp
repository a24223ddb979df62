// Windows: LoadLibraryW/GetProcAddress, the wide command line, and the
// program's location from GetModuleFileNameW.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "errors.h"
#include "platform/host_platform.h"

namespace zolhost::platform {
namespace {

std::string ToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
  if (size > 1) {
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  }
  return out;
}

// "error N: <the system's text for N>".
std::string DescribeError(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length > 0 ? ToUtf8(text) : std::string();
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

}  // namespace

std::vector<std::string> Arguments(int, char**) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    out.push_back(ToUtf8(words[i]));
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
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

std::string_view LibraryFileName() {
  return "ZolUtilities.dll";
}

ZolFunctionPointer LoadEntryPoint(const std::filesystem::path& library) {
  HMODULE module = LoadLibraryW(library.c_str());
  if (module == nullptr) {
    throw HostError("cannot load the library " + ToUtf8(library.c_str()) + ": " +
                    DescribeError(GetLastError()));
  }
  FARPROC symbol = GetProcAddress(module, "DoZolFunction");
  if (symbol == nullptr) {
    const std::string reason = DescribeError(GetLastError());
    FreeLibrary(module);
    throw HostError("cannot find DoZolFunction in " + ToUtf8(library.c_str()) + ": " + reason);
  }
  // The library stays loaded for the rest of the process: the entry point lives in it.
  // cppcheck-suppress resourceLeak
  return reinterpret_cast<ZolFunctionPointer>(reinterpret_cast<void*>(symbol));
}

}  // namespace zolhost::platform
