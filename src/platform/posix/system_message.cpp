// Message texts on POSIX systems: the C library's own table, via strerror_r,
// taken as UTF-8 and handed on as 16-bit units.
#include <string.h>

#include <string_view>

#include "platform/platform.h"
#include "platform/posix/utf.h"

namespace zol::platform {

namespace {

// strerror_r comes in two variants: the XSI one returns a status and fills the
// buffer, the GNU one returns the text (not always in the buffer).
[[maybe_unused]] const char* MessageOf(int status, const char* buffer) {
  return status == 0 ? buffer : nullptr;
}
[[maybe_unused]] const char* MessageOf(const char* text, const char*) {
  return text;
}

}  // namespace

bool ReadSystemMessage(uint32_t code, std::span<char16_t> text) noexcept {
  char buffer[1024] = "";
  const char* message =
      MessageOf(strerror_r(static_cast<int>(code), buffer, sizeof buffer), buffer);
  if (message == nullptr) {
    return false;
  }
  Utf16FromUtf8(message, text);
  return true;
}

}  // namespace zol::platform
