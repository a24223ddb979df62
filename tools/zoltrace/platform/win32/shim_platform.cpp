// Windows: GetEnvironmentVariableW, the shim's own module, FILE_APPEND_DATA
// writes.
#include <windows.h>

#include <string>

#include "platform/win32/windows_text.h"
#include "shim_platform.h"

namespace zoltrace::platform {

std::filesystem::path EnvironmentPath(const char* name) {
  const std::wstring wide(name, name + std::char_traits<char>::length(name));
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableW(wide.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length < value.size()) {
      value.resize(length);  // 0 when the variable is not set
      return value;
    }
    value.resize(length);
  }
}

std::filesystem::path ShimDirectory() {
  return zolcalls::ModuleDirectory(reinterpret_cast<const void*>(&ShimDirectory));
}

bool IsInShim(const void* address) {
  return zolcalls::InSameModule(reinterpret_cast<const void*>(&ShimDirectory), address);
}

std::string_view TracedLibraryName() {
  return "ZolUtilities.traced.dll";
}

uint64_t ThreadId() {
  return GetCurrentThreadId();
}

TraceFile::TraceFile(const std::filesystem::path& path)
    : handle_(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

TraceFile::~TraceFile() {
  if (IsOpen())
    CloseHandle(handle_);
}

bool TraceFile::IsOpen() const {
  return handle_ != INVALID_HANDLE_VALUE;
}

void TraceFile::Append(std::string_view text) const {
  DWORD written = 0;
  if (IsOpen())
    WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace zoltrace::platform
