// 16-bit text primitives for the text operations: bounded length, counted copy
// and A-Z lower-casing, on char16_t whatever the size of the platform's wchar_t.
// First occurrence is std::u16string_view::find.
//
// A string slot in the caller's block is raw bytes at any address, not a
// char16_t object, so its text is copied into an aligned local buffer, worked on
// there as a std::u16string_view, and copied back only where an operation writes.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "dispatch/caller_areas.h"

namespace zol::text16 {

static_assert(std::endian::native == std::endian::little,
              "slot text is little-endian 16-bit units read in native order");

inline constexpr std::size_t kSlotUnits = ZOL_TEXT_UNITS;
inline constexpr std::size_t kUnitBytes = sizeof(char16_t);

// Copies the text that starts at `from` into `to` and returns its length: the
// units before the first zero, or all kSlotUnits when the slot holds none. The
// copy runs four units at a time, stops with the chunk that holds the zero and
// never reads past the slot (kSlotUnits is a multiple of four).
inline std::size_t CopyBoundedText(const unsigned char* from, char16_t* to) {
  static_assert(kSlotUnits % 4 == 0);
  constexpr uint64_t kLowBits = 0x0001000100010001ULL;
  constexpr uint64_t kHighBits = 0x8000800080008000ULL;
  for (std::size_t i = 0; i < kSlotUnits; i += 4) {
    uint64_t chunk;
    std::memcpy(&chunk, from + i * kUnitBytes, sizeof chunk);
    std::memcpy(to + i, &chunk, sizeof chunk);
    // The lowest flagged lane is the first zero unit; a borrow can flag only
    // lanes above a real zero.
    const uint64_t zeros = (chunk - kLowBits) & ~chunk & kHighBits;
    if (zeros != 0) {
      return i + static_cast<std::size_t>(std::countr_zero(zeros)) / 16;
    }
  }
  return kSlotUnits;
}

// Changes A-Z to a-z and nothing else, whatever the process locale.
constexpr char16_t LowerAsciiLetter(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// The text of one string slot, copied out of the caller's block.
class SlotText {
 public:
  explicit SlotText(unsigned char* slot) : slot_(slot), length_(CopyBoundedText(slot, units_)) {}

  std::u16string_view view() const { return {units_, length_}; }
  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }

  // Lower-cases A-Z in the text and stores it back over the slot. Only the text's
  // own units are written: the terminator, and whatever follows it, stay as
  // they were, and an unterminated slot gets no terminator past its end.
  void LowerCaseInSlot() {
    std::transform(units_, units_ + length_, units_, LowerAsciiLetter);
    std::memcpy(slot_, units_, length_ * kUnitBytes);
  }

 private:
  unsigned char* slot_;
  char16_t units_[kSlotUnits];  // only the first length_ units are meaningful
  std::size_t length_;
};

inline SlotText LoadStringSlot(const CallerAreas& areas, int k) {
  return SlotText(StringSlotAddress(areas, k));
}

// Copies `text` (at most ZOL_RESULT_TEXT_UNITS - 1 units) and a terminator into
// ResultText, writing nothing beyond them.
inline void WriteResultText(const CallerAreas& areas, std::u16string_view text) {
  const char16_t zero = 0;
  if (!text.empty()) {  // an empty view may hold no pointer at all
    std::memcpy(areas.text, text.data(), text.size() * kUnitBytes);
  }
  std::memcpy(areas.text + text.size() * kUnitBytes, &zero, kUnitBytes);
}

}  // namespace zol::text16
