// Windows: LoadLibraryW/GetProcAddress, with the system's text for a failure.
#include <windows.h>

#include "library_loader.h"
#include "platform/win32/windows_text.h"

namespace zolcalls {

std::string WideToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
  if (size > 1) {
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  }
  return out;
}

namespace {

// The module that holds `address`; null for null or an address in no module.
HMODULE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  if (address != nullptr) {
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCWSTR>(address), &module);
  }
  return module;
}

}  // namespace

bool InSameModule(const void* first, const void* second) {
  const HMODULE module = ModuleOf(first);
  return module != nullptr && module == ModuleOf(second);
}

std::filesystem::path ModuleDirectory(const void* address) {
  HMODULE module = ModuleOf(address);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

namespace {

// "error N: <the system's text for N>".
std::string DescribeError(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length > 0 ? WideToUtf8(text) : std::string();
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

}  // namespace

LoadedEntry LoadEntryPoint(const std::filesystem::path& library) {
  HMODULE module = LoadLibraryW(library.c_str());
  if (module == nullptr) {
    return {nullptr, "cannot load the library " + PathToUtf8(library) + ": " +
                         DescribeError(GetLastError())};
  }
  FARPROC symbol = GetProcAddress(module, "DoZolFunction");
  if (symbol == nullptr) {
    const std::string reason = DescribeError(GetLastError());
    FreeLibrary(module);
    return {nullptr, "cannot find DoZolFunction in " + PathToUtf8(library) + ": " + reason};
  }
  // cppcheck-suppress resourceLeak
  return {reinterpret_cast<ZolFunctionPointer>(reinterpret_cast<void*>(symbol)), {}};
}

}  // namespace zolcalls
