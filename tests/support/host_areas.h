// The three caller areas as a host lays them out, with helpers to fill and read
// them byte for byte. The areas deliberately sit at odd addresses, so every
// test also shows that the library assumes no alignment.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "zolutilities.h"

class HostAreas {
 public:
  HostAreas() { Fill(0); }

  // Sets every byte of all three areas to `fill`.
  void Fill(unsigned char fill) { storage_.fill(fill); }

  int32_t Call(int32_t functionNumber) {
    return DoZolFunction(functionNumber, block(), value(), text());
  }

  unsigned char* block() { return storage_.data() + kBlockAt; }
  unsigned char* value() { return storage_.data() + kValueAt; }
  uint16_t* text() { return reinterpret_cast<uint16_t*>(storage_.data() + kTextAt); }

  void SetInteger(int slot, int32_t v) { ZolSetInteger(block(), slot, v); }
  void SetDouble(int slot, double v) { ZolSetDouble(block(), slot, v); }
  int32_t SlotInteger(int slot) { return ZolGetInteger(block(), slot); }

  // Writes `s` and a terminator into StringSlot k.
  void SetString(int k, std::u16string_view s) {
    unsigned char* at = block() + ZOL_STRING_SLOT_OFFSET_OF(k);
    std::memcpy(at, s.data(), s.size() * 2);
    const uint16_t zero = 0;
    std::memcpy(at + s.size() * 2, &zero, 2);
  }
  // Fills StringSlot k with 256 copies of `unit` and no terminator.
  void FillStringUnterminated(int k, char16_t unit) {
    unsigned char* at = block() + ZOL_STRING_SLOT_OFFSET_OF(k);
    for (std::size_t i = 0; i < ZOL_TEXT_UNITS; ++i) {
      std::memcpy(at + 2 * i, &unit, 2);
    }
  }
  std::u16string String(int k) { return ReadText(block() + ZOL_STRING_SLOT_OFFSET_OF(k)); }
  std::u16string ResultText() { return ReadText(storage_.data() + kTextAt); }

  int32_t ResultInteger() {
    int32_t v;
    std::memcpy(&v, value(), 4);
    return v;
  }
  uint32_t ResultHighBytes() {
    uint32_t v;
    std::memcpy(&v, value() + 4, 4);
    return v;
  }
  double ResultDouble() {
    double v;
    std::memcpy(&v, value(), 8);
    return v;
  }
  uint64_t ResultBits() {
    uint64_t v;
    std::memcpy(&v, value(), 8);
    return v;
  }
  void SetResultBits(uint64_t bits) { std::memcpy(value(), &bits, 8); }

  // A copy of all three areas, to compare before and after a call.
  using Snapshot = std::array<unsigned char, 2048>;
  Snapshot Save() const { return storage_; }

 private:
  static std::u16string ReadText(const unsigned char* at) {
    std::u16string out;
    for (std::size_t i = 0; i < ZOL_TEXT_UNITS; ++i) {
      char16_t unit;
      std::memcpy(&unit, at + 2 * i, 2);
      if (unit == 0)
        break;
      out.push_back(unit);
    }
    return out;
  }

  static constexpr std::size_t kBlockAt = 1;
  static constexpr std::size_t kValueAt = kBlockAt + ZOL_BLOCK_SIZE + 2;        // odd
  static constexpr std::size_t kTextAt = kValueAt + ZOL_RESULT_VALUE_SIZE + 3;  // odd
  static_assert(kTextAt + std::size_t{2} * ZOL_RESULT_TEXT_UNITS <= 2048);
  std::array<unsigned char, 2048> storage_{};
};
