// UTF-8 <-> 16-bit units, with \uXXXX for units UTF-8 cannot carry.
#include "text16.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "errors.h"

namespace zolhost {
namespace {

constexpr char16_t kBackslash = u'\\';

// The unit written as "\uXXXX" at s[i], if there is one.
std::optional<char16_t> EscapeAt(std::string_view s, std::size_t i) {
  if (i + 6 > s.size() || s[i] != '\\' || s[i + 1] != 'u') {
    return std::nullopt;
  }
  unsigned value = 0;
  const char* digits = s.data() + i + 2;
  const auto [end, ec] = std::from_chars(digits, digits + 4, value, 16);
  if (ec != std::errc{} || end != digits + 4) {
    return std::nullopt;
  }
  return static_cast<char16_t>(value);
}

// What a UTF-8 lead byte announces: the sequence length, the range the second
// byte must fall in (which rules out overlong forms, surrogates and values past
// U+10FFFF) and the lead's payload bits. Length 0 marks an invalid lead.
struct Lead {
  int length;
  unsigned char low;
  unsigned char high;
  char32_t bits;
};

Lead LeadOf(unsigned char b) {
  if (b < 0x80)
    return {1, 0, 0, b};
  if (b >= 0xC2 && b <= 0xDF)
    return {2, 0x80, 0xBF, b & 0x1Fu};
  if (b == 0xE0)
    return {3, 0xA0, 0xBF, b & 0x0Fu};
  if (b == 0xED)
    return {3, 0x80, 0x9F, b & 0x0Fu};
  if (b >= 0xE1 && b <= 0xEF)
    return {3, 0x80, 0xBF, b & 0x0Fu};
  if (b == 0xF0)
    return {4, 0x90, 0xBF, b & 0x07u};
  if (b >= 0xF1 && b <= 0xF3)
    return {4, 0x80, 0xBF, b & 0x07u};
  if (b == 0xF4)
    return {4, 0x80, 0x8F, b & 0x07u};
  return {0, 0, 0, 0};
}

// Decodes the code point at s[i] and advances i past it.
char32_t DecodeCodePoint(std::string_view s, std::size_t& i) {
  const Lead lead = LeadOf(static_cast<unsigned char>(s[i]));
  bool valid = lead.length > 0 && i + static_cast<std::size_t>(lead.length) <= s.size();
  char32_t cp = lead.bits;
  for (int k = 1; valid && k < lead.length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    const bool inRange = k == 1 ? (b >= lead.low && b <= lead.high) : (b >= 0x80 && b <= 0xBF);
    valid = inRange;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (!valid) {
    throw UsageError("text is not valid UTF-8 (at byte " + std::to_string(i) + ")");
  }
  i += static_cast<std::size_t>(lead.length);
  return cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendEscape(std::string& out, char16_t unit) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) {
    out.push_back(kHex[(unit >> shift) & 0xF]);
  }
}

bool IsHighSurrogate(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

bool IsAsciiHex(char16_t u) {
  return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// Whether the backslash at units[i] would read back as the start of \uXXXX.
bool LooksLikeEscape(std::u16string_view units, std::size_t i) {
  if (i + 6 > units.size() || units[i + 1] != u'u') {
    return false;
  }
  for (std::size_t k = i + 2; k < i + 6; ++k) {
    if (!IsAsciiHex(units[k]))
      return false;
  }
  return true;
}

}  // namespace

std::u16string DecodeText(std::string_view utf8) {
  std::u16string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (const auto unit = EscapeAt(utf8, i)) {
      out.push_back(*unit);
      i += 6;
    } else {
      AppendUtf16(out, DecodeCodePoint(utf8, i));
    }
  }
  return out;
}

std::string EncodeText(std::u16string_view units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      const char32_t high = char32_t{u} - char32_t{0xD800};
      const char32_t low = char32_t{units[i + 1]} - char32_t{0xDC00};
      const char32_t cp = char32_t{0x10000} + (high << 10) + low;
      AppendUtf8(out, cp);
      ++i;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u) || u < 0x20 || u == 0x7F ||
               (u == kBackslash && LooksLikeEscape(units, i))) {
      AppendEscape(out, u);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

}  // namespace zolhost
