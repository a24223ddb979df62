// GetStringField: field n of StringSlot 0, split at every occurrence of the
// delimiter in StringSlot 1, copied into ResultText.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dispatch/operations.h"
#include "text16.h"

namespace zol {
namespace {

// A field of 256 units or more comes back as its first 255.
constexpr std::size_t kMaxFieldUnits = 255;

// Field `number` of `text`. A negative number, an empty delimiter and a field
// past the last one all give an empty field.
std::u16string_view FindField(std::u16string_view text, std::u16string_view delimiter,
                              int32_t number) {
  if (number < 0 || delimiter.empty()) {
    return {};
  }
  std::size_t pos = 0;
  // Each field ends at the next delimiter or at the end of the text. The loop
  // stops once the text is used up, so even a huge field number costs at most
  // one pass over the text.
  for (int32_t field = 0; pos < text.size(); ++field) {
    const std::size_t match = std::min(text.find(delimiter, pos), text.size());
    if (field == number) {
      return text.substr(pos, match - pos);
    }
    pos = match + delimiter.size();
  }
  return {};
}

}  // namespace

void GetStringField(const CallerAreas& areas) {
  const auto text = text16::LoadStringSlot(areas, 0);
  const auto delimiter = text16::LoadStringSlot(areas, 1);
  const auto field = FindField(text.view(), delimiter.view(), ReadSlotInteger(areas, 0));
  text16::WriteResultText(areas, field.substr(0, kMaxFieldUnits));
}

}  // namespace zol
