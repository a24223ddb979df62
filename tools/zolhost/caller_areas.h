// The three areas zolhost owns and hands to DoZolFunction on every call: the
// parameter block, the result cell and the result text, kept as raw bytes and
// read and written byte for byte, as the library itself does.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "zolutilities.h"

namespace zolhost {

using SlotBytes = std::array<unsigned char, ZOL_SLOT_SIZE>;

struct CallerAreas {
  std::array<unsigned char, ZOL_BLOCK_SIZE> block{};
  std::array<unsigned char, ZOL_RESULT_VALUE_SIZE> value{};
  std::array<uint16_t, ZOL_RESULT_TEXT_UNITS> text{};
};

SlotBytes ReadSlot(const CallerAreas& areas, int slot);
void WriteSlot(CallerAreas& areas, int slot, const SlotBytes& bytes);

// StringSlot k up to its terminator (all 256 units if it has none).
std::u16string ReadString(const CallerAreas& areas, int k);
// Clears StringSlot k, then stores `text` and a terminator (text <= 255 units).
void WriteString(CallerAreas& areas, int k, std::u16string_view text);
bool StringSlotChanged(const CallerAreas& a, const CallerAreas& b, int k);

int32_t ResultInteger(const CallerAreas& areas);
double ResultDouble(const CallerAreas& areas);
std::u16string ResultText(const CallerAreas& areas);

// Slot contents built from a value: the value in the slot's first bytes,
// zeros after it.
SlotBytes IntegerSlot(int32_t value);
SlotBytes DoubleSlot(double value);
SlotBytes ArrayNumberSlot(uint16_t value);

int32_t SlotInteger(const SlotBytes& bytes);
double SlotDouble(const SlotBytes& bytes);
uint16_t SlotArrayNumber(const SlotBytes& bytes);

}  // namespace zolhost
