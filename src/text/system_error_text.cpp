// GetSystemErrorText: the system's message text for an error code, without its
// final line break, in ResultText.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "dispatch/operations.h"
#include "platform/platform.h"

namespace zol {

namespace {

using MessageBuffer = std::array<char16_t, ZOL_RESULT_TEXT_UNITS>;

// Length of the text in `buffer`, cutting it to 255 units (and terminating it)
// when it fills the buffer. The cut never splits a surrogate pair.
std::size_t TerminateText(MessageBuffer& buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
  if (end != buffer.end()) {
    return static_cast<std::size_t>(end - buffer.begin());
  }
  std::size_t length = buffer.size() - 1;
  if (buffer[length - 1] >= 0xD800 && buffer[length - 1] <= 0xDBFF) {
    --length;  // a high surrogate whose partner was cut off
  }
  buffer[length] = u'\0';
  return length;
}

}  // namespace

void GetSystemErrorText(const CallerAreas& areas) {
  MessageBuffer buffer;
  const auto code = static_cast<uint32_t>(ReadSlotInteger(areas, 0));
  std::size_t length = 0;
  if (platform::ReadSystemMessage(code, buffer)) {
    length = TerminateText(buffer);
  } else {
    buffer[0] = u'\0';  // no message: an empty text, whatever the buffer holds
  }
  // One final CR LF is cleared; a lone CR or LF, and any pair before it, stay.
  if (length >= 2 && buffer[length - 2] == u'\r' && buffer[length - 1] == u'\n') {
    buffer[length - 2] = u'\0';
    buffer[length - 1] = u'\0';
  }
  std::memcpy(areas.text, buffer.data(), (length + 1) * sizeof(char16_t));
}

}  // namespace zol
