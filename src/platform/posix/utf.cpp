// UTF-16 to UTF-8 and back, replacing what is malformed with U+FFFD.
#include "platform/posix/utf.h"

namespace zol::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (c < 0x80) {
    out += byte(c);
  } else if (c < 0x800) {
    out += byte(0xC0 | c >> 6);
    out += byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += byte(0xE0 | c >> 12);
    out += byte(0x80 | (c >> 6 & 0x3F));
    out += byte(0x80 | (c & 0x3F));
  } else {
    out += byte(0xF0 | c >> 18);
    out += byte(0x80 | (c >> 12 & 0x3F));
    out += byte(0x80 | (c >> 6 & 0x3F));
    out += byte(0x80 | (c & 0x3F));
  }
}

// The character starting at text[at], advancing `at` past it. A malformed
// sequence (bad lead or continuation byte, truncation, overlong form,
// surrogate or value above U+10FFFF) gives U+FFFD and skips one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1FU, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0FU, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07U, smallest = 0x10000;
  } else {
    ++at;
    return kReplacement;
  }
  if (text.size() - at < length) {
    ++at;
    return kReplacement;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return kReplacement;
    }
    c = c << 6 | (next & 0x3FU);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++at;
    return kReplacement;
  }
  at += length;
  return c;
}

}  // namespace

std::string Utf8FromUtf16(const char16_t* text) {
  std::string out;
  for (std::size_t i = 0; text[i] != u'\0'; ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10 | (text[i + 1] - 0xDC00U));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::size_t Utf16FromUtf8(std::string_view text, std::span<char16_t> out) noexcept {
  std::size_t written = 0;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = DecodeUtf8(text, at);
    if (c < 0x10000) {
      if (written + 1 > out.size())
        break;
      out[written++] = static_cast<char16_t>(c);
    } else {
      if (written + 2 > out.size())
        break;
      out[written++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out[written++] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  if (written < out.size()) {
    out[written] = u'\0';
  }
  return written;
}

}  // namespace zol::platform
