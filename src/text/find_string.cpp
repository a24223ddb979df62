// FindString and FindStringNoCase: the first occurrence of StringSlot 1 in
// StringSlot 0 from the start position in slot 0, as a position counted from the
// start of the text, or -1.
#include <cstdint>
#include <optional>
#include <string_view>

#include "dispatch/operations.h"
#include "text16.h"

namespace zol {
namespace {

constexpr int32_t kNotFound = -1;

// The answer that needs no search, if any: an empty pattern is found only in an
// empty text, and a start at or past the end finds nothing.
std::optional<int32_t> AnswerWithoutSearch(const text16::SlotText& text,
                                           const text16::SlotText& pattern, int32_t start) {
  const auto textLength = static_cast<int32_t>(text.size());
  if (pattern.empty()) {
    return textLength == 0 ? 0 : kNotFound;
  }
  if (start >= textLength) {
    return kNotFound;
  }
  return std::nullopt;
}

// A negative start searches from the first unit: nothing before the text is read.
int32_t Search(const text16::SlotText& text, const text16::SlotText& pattern, int32_t start) {
  const std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
  const std::size_t at = text.view().find(pattern.view(), from);
  return at == std::u16string_view::npos ? kNotFound : static_cast<int32_t>(at);
}

void FindInSlots(const CallerAreas& areas, bool ignoreCase) {
  auto text = text16::LoadStringSlot(areas, 0);
  auto pattern = text16::LoadStringSlot(areas, 1);
  const int32_t start = ReadSlotInteger(areas, 0);
  if (const auto answer = AnswerWithoutSearch(text, pattern, start)) {
    WriteResultInteger(areas, *answer);
    return;
  }
  // The whole of both strings is lower-cased, in the caller's block too, and
  // only when a search follows.
  if (ignoreCase) {
    text.LowerCaseInSlot();
    pattern.LowerCaseInSlot();
  }
  WriteResultInteger(areas, Search(text, pattern, start));
}

}  // namespace

void FindString(const CallerAreas& areas) {
  FindInSlots(areas, false);
}

void FindStringNoCase(const CallerAreas& areas) {
  FindInSlots(areas, true);
}

}  // namespace zol
