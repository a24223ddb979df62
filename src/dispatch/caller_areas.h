// Byte-exact access to the three areas a host passes to DoZolFunction.
//
// Every read and write goes through memcpy: the host may hand us any address, so
// nothing here assumes alignment or a particular object type behind the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "zolutilities.h"

namespace zol {

struct CallerAreas {
  unsigned char* block;  // ParameterBlock, ZOL_BLOCK_SIZE bytes
  unsigned char* value;  // ResultValue, 8 bytes
  unsigned char* text;   // ResultText, ZOL_RESULT_TEXT_UNITS 16-bit units
};

inline unsigned char* SlotAddress(const CallerAreas& areas, int slot) {
  return areas.block + ZOL_NUMERIC_SLOT_OFFSET(slot);
}

// A slot read as an integer: the signed 32-bit value in its first 4 bytes.
inline int32_t ReadSlotInteger(const CallerAreas& areas, int slot) {
  int32_t value;
  std::memcpy(&value, SlotAddress(areas, slot), sizeof value);
  return value;
}

// A slot read as a double: all 8 bytes.
inline double ReadSlotDouble(const CallerAreas& areas, int slot) {
  double value;
  std::memcpy(&value, SlotAddress(areas, slot), sizeof value);
  return value;
}

// A slot's 8 bytes as a double's bit pattern: on 32-bit x86 a double value may
// pass through the x87 stack, where loading a signalling NaN raises invalid.
inline uint64_t ReadSlotBits(const CallerAreas& areas, int slot) {
  uint64_t bits;
  std::memcpy(&bits, SlotAddress(areas, slot), sizeof bits);
  return bits;
}

// A slot read as an array number: the 16-bit value in its first 2 bytes.
inline uint16_t ReadSlotArrayNumber(const CallerAreas& areas, int slot) {
  uint16_t value;
  std::memcpy(&value, SlotAddress(areas, slot), sizeof value);
  return value;
}

// Stores an integer into a slot's first 4 bytes; the other 4 keep their content.
inline void WriteSlotInteger(const CallerAreas& areas, int slot, int32_t value) {
  std::memcpy(SlotAddress(areas, slot), &value, sizeof value);
}

// An integer result fills bytes 0..3 of ResultValue and leaves 4..7 alone.
inline void WriteResultInteger(const CallerAreas& areas, int32_t value) {
  std::memcpy(areas.value, &value, sizeof value);
}

inline void WriteResultDouble(const CallerAreas& areas, double value) {
  std::memcpy(areas.value, &value, sizeof value);
}

inline double ReadResultDouble(const CallerAreas& areas) {
  double value;
  std::memcpy(&value, areas.value, sizeof value);
  return value;
}

// A double result as its bit pattern, as ReadSlotBits reads a slot.
inline uint64_t ReadResultBits(const CallerAreas& areas) {
  uint64_t bits;
  std::memcpy(&bits, areas.value, sizeof bits);
  return bits;
}

inline void WriteResultBits(const CallerAreas& areas, uint64_t bits) {
  std::memcpy(areas.value, &bits, sizeof bits);
}

// Address of StringSlot k (0 or 1) inside the block.
inline unsigned char* StringSlotAddress(const CallerAreas& areas, int k) {
  return areas.block + ZOL_STRING_SLOT_OFFSET_OF(k);
}

}  // namespace zol
