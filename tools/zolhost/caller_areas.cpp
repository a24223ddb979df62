// Byte-exact access to the caller areas through memcpy.
#include "caller_areas.h"

#include <algorithm>
#include <cstring>

namespace zolhost {
namespace {

const unsigned char* StringAt(const CallerAreas& areas, int k) {
  return areas.block.data() + ZOL_STRING_SLOT_OFFSET_OF(k);
}

template <typename T>
SlotBytes SlotOf(T value) {
  SlotBytes bytes{};
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

template <typename T>
T FromSlot(const SlotBytes& bytes) {
  T value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

std::u16string UnitsUpToTerminator(const unsigned char* at) {
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

}  // namespace

SlotBytes ReadSlot(const CallerAreas& areas, int slot) {
  SlotBytes bytes;
  std::memcpy(bytes.data(), areas.block.data() + ZOL_NUMERIC_SLOT_OFFSET(slot), bytes.size());
  return bytes;
}

void WriteSlot(CallerAreas& areas, int slot, const SlotBytes& bytes) {
  std::memcpy(areas.block.data() + ZOL_NUMERIC_SLOT_OFFSET(slot), bytes.data(), bytes.size());
}

std::u16string ReadString(const CallerAreas& areas, int k) {
  return UnitsUpToTerminator(StringAt(areas, k));
}

void WriteString(CallerAreas& areas, int k, std::u16string_view text) {
  unsigned char* at = areas.block.data() + ZOL_STRING_SLOT_OFFSET_OF(k);
  std::memset(at, 0, ZOL_STRING_SLOT_STRIDE);
  std::memcpy(at, text.data(), std::min<std::size_t>(text.size(), ZOL_TEXT_UNITS - 1) * 2);
}

bool StringSlotChanged(const CallerAreas& a, const CallerAreas& b, int k) {
  return std::memcmp(StringAt(a, k), StringAt(b, k), ZOL_STRING_SLOT_STRIDE) != 0;
}

int32_t ResultInteger(const CallerAreas& areas) {
  int32_t value;
  std::memcpy(&value, areas.value.data(), sizeof value);
  return value;
}

double ResultDouble(const CallerAreas& areas) {
  double value;
  std::memcpy(&value, areas.value.data(), sizeof value);
  return value;
}

std::u16string ResultText(const CallerAreas& areas) {
  return UnitsUpToTerminator(reinterpret_cast<const unsigned char*>(areas.text.data()));
}

SlotBytes IntegerSlot(int32_t value) {
  return SlotOf(value);
}
SlotBytes DoubleSlot(double value) {
  return SlotOf(value);
}
SlotBytes ArrayNumberSlot(uint16_t value) {
  return SlotOf(value);
}

int32_t SlotInteger(const SlotBytes& bytes) {
  return FromSlot<int32_t>(bytes);
}
double SlotDouble(const SlotBytes& bytes) {
  return FromSlot<double>(bytes);
}
uint16_t SlotArrayNumber(const SlotBytes& bytes) {
  return FromSlot<uint16_t>(bytes);
}

}  // namespace zolhost
