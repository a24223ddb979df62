// Message texts on Windows: the system message table, through FormatMessageW.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/platform.h"

namespace zol::platform {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is 16-bit units");

// Inserts stay as they are: no arguments are given for them, and without this
// flag a message with inserts fails or reads arguments that do not exist.
constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

// A message too long for the caller's buffer makes FormatMessageW fail rather
// than cut it. Ask again with a buffer the system allocates, and hand back as
// much as fits, unterminated; the allocation is freed before returning.
bool ReadLongSystemMessage(uint32_t code, std::span<char16_t> text) noexcept {
  wchar_t* whole = nullptr;
  const DWORD length = FormatMessageW(kFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code, 0,
                                      reinterpret_cast<wchar_t*>(&whole), 0, nullptr);
  const bool found = length != 0 && whole != nullptr;
  if (found) {
    const std::size_t units = std::min<std::size_t>(length + 1, text.size());
    std::memcpy(text.data(), whole, units * sizeof(wchar_t));
  }
  if (whole != nullptr) {
    LocalFree(whole);
  }
  return found;
}

}  // namespace

bool ReadSystemMessage(uint32_t code, std::span<char16_t> text) noexcept {
  std::array<wchar_t, 256> wide;
  const auto capacity = static_cast<DWORD>(std::min(text.size(), wide.size()));
  const DWORD length = FormatMessageW(kFlags, nullptr, code, 0, wide.data(), capacity, nullptr);
  if (length == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    return ReadLongSystemMessage(code, text);
  }
  // A failed call may leave a partial, unterminated text behind: ignore it.
  if (length == 0 || length >= capacity) {
    return false;
  }
  std::memcpy(text.data(), wide.data(), (length + 1) * sizeof(wchar_t));
  return true;
}

}  // namespace zol::platform
