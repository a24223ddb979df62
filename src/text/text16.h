// 16-bit text primitives for the text operations: bounded length, counted copy
// and A-Z lower-casing, on char16_t whatever the size of the platform's wchar_t.
// First occurrence is std::u16string_view::find.
//
// A string slot in the caller's block is raw bytes at any address, not a
// char16_t object, so its text is copied into an aligned local buffer, worked on
// there as a std::u16string_view, and copied back only where an operation writes.
#pragma once

#include <algorithm>
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

// The zero units of a 4-unit chunk, flagged in the high bit of their lane. The
// lowest flag marks the first zero unit: a borrow can flag only lanes above a
// real zero.
constexpr uint64_t ZeroUnits(uint64_t chunk) {
  constexpr uint64_t kLowBits = 0x0001000100010001ULL;
  constexpr uint64_t kHighBits = 0x8000800080008000ULL;
  return (chunk - kLowBits) & ~chunk & kHighBits;
}

// Copies the text that starts at `from` into `to` and returns its length: the
// units before the first zero, or all kSlotUnits when the slot holds none. The
// copy runs eight units a round, stops with the round that holds the zero and
// never reads past the slot. This one pass is both the length and the copy.
inline std::size_t CopyBoundedText(const unsigned char* from, char16_t* to) {
  constexpr std::size_t kRoundUnits = 8;
  static_assert(kSlotUnits % kRoundUnits == 0);
  for (std::size_t i = 0; i < kSlotUnits; i += kRoundUnits) {
    uint64_t chunks[2];
    std::memcpy(chunks, from + i * kUnitBytes, sizeof chunks);
    std::memcpy(to + i, chunks, sizeof chunks);
    const uint64_t first = ZeroUnits(chunks[0]);
    const uint64_t second = ZeroUnits(chunks[1]);
    if ((first | second) != 0) {
      const auto lane = [](uint64_t zeros) { return std::countr_zero(zeros) / 16; };
      return i + static_cast<std::size_t>(first != 0 ? lane(first) : 4 + lane(second));
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
