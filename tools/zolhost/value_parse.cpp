// Strict number parsing: the whole text must be the number, and it must fit.
#include "value_parse.h"

#include <charconv>
#include <string>
#include <system_error>

#include "errors.h"

namespace zolhost {
namespace {

std::string Quoted(std::string_view what, std::string_view text) {
  return std::string(what) + ": '" + std::string(text) + "'";
}

// Parses the digits of text (after any sign and 0x prefix) into value; the
// bool says whether all of text was a number.
bool ParseMagnitude(std::string_view text, uint64_t& value) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return !text.empty() && end == text.data() + text.size() &&
         (ec == std::errc{} || ec == std::errc::result_out_of_range);
}

}  // namespace

int64_t ParseIntegerInRange(std::string_view text, std::string_view what, int64_t low,
                            int64_t high) {
  std::string_view digits = text;
  const bool negative = !digits.empty() && digits[0] == '-';
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
    digits.remove_prefix(1);
  }
  uint64_t magnitude = 0;
  if (!ParseMagnitude(digits, magnitude)) {
    throw UsageError(Quoted(what, text) + " is not an integer");
  }
  // Anything beyond 2^40 is out of every range here; clamping keeps the
  // signed arithmetic below free of overflow.
  const uint64_t kLimit = uint64_t{1} << 40;
  const int64_t clamped = static_cast<int64_t>(magnitude < kLimit ? magnitude : kLimit);
  const int64_t value = negative ? -clamped : clamped;
  if (value < low || value > high || magnitude >= kLimit) {
    throw UsageError(Quoted(what, text) + " does not fit: the slot takes " + std::to_string(low) +
                     " to " + std::to_string(high));
  }
  return value;
}

int32_t ParseInteger(std::string_view text, std::string_view what) {
  const int64_t value = ParseIntegerInRange(text, what, INT32_MIN, UINT32_MAX);
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

double ParseDouble(std::string_view text, std::string_view what) {
  std::string_view digits = text;
  if (!digits.empty() && digits[0] == '+') {
    digits.remove_prefix(1);
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || end != digits.data() + digits.size() || ec == std::errc::invalid_argument) {
    throw UsageError(Quoted(what, text) + " is not a number");
  }
  if (ec == std::errc::result_out_of_range) {
    throw UsageError(Quoted(what, text) + " does not fit a double");
  }
  return value;
}

uint16_t ParseArrayNumber(std::string_view text, std::string_view what) {
  return static_cast<uint16_t>(ParseIntegerInRange(text, what, 0, UINT16_MAX));
}

int32_t ParseByteOrder(std::string_view text, std::string_view what) {
  if (text == "lsb")
    return 0;
  if (text == "msb")
    return 1;
  try {
    return ParseInteger(text, what);
  } catch (const UsageError&) {
    throw UsageError(Quoted(what, text) + " is not a byte order: use lsb, msb or an integer");
  }
}

}  // namespace zolhost
