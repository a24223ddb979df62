// Message texts on Windows: the system message table, through FormatMessageW.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/platform.h"

namespace zol::platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is 16-bit units");

bool ReadSystemMessage(uint32_t code, std::span<char16_t> text) noexcept {
  std::array<wchar_t, 256> wide;
  const auto capacity = static_cast<DWORD>(std::min(text.size(), wide.size()));
  // Inserts stay as they are: no arguments are given for them, and without this
  // flag a message with inserts fails or reads arguments that do not exist.
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageW(flags, nullptr, code, 0, wide.data(), capacity, nullptr);
  // A failed call may leave a partial, unterminated text behind: ignore it.
  if (length == 0 || length >= capacity) {
    return false;
  }
  std::memcpy(text.data(), wide.data(), (length + 1) * sizeof(wchar_t));
  return true;
}

}  // namespace zol::platform
