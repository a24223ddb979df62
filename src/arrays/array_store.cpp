#include "array_store.h"

#include <array>
#include <cstring>

#include "qordata_calls.h"

namespace zol {
namespace {

// Storage for one GetArrayInfo output: 4 bytes, however narrow the value the
// library takes from it, since a store may write a whole 32-bit word.
struct OutputCell {
  alignas(4) unsigned char bytes[4];
  template <typename T>
  T* As() {
    return reinterpret_cast<T*>(bytes);
  }
};

}  // namespace

ArrayInfo ArrayStore::GetInfo(uint16_t arrayNumber) {
  std::array<OutputCell, 6> out{};  // all zero
  GetArrayInfo(arrayNumber, out[0].As<uint8_t>(), out[1].As<int32_t>(), out[2].As<uint16_t>(),
               out[3].As<int32_t>(), out[4].As<int32_t>(), out[5].As<int32_t>());
  // The type code is the low 8 bits of output 1, the count the low 16 bits of
  // output 3 (both builds are little-endian: the low bits come first).
  ArrayInfo info{out[0].bytes[0], 0};
  std::memcpy(&info.count, out[2].bytes, sizeof info.count);
  return info;
}

int32_t ArrayStore::ReadInteger(uint16_t arrayNumber, uint16_t index) {
  int32_t value = 0;
  ReadArrayDataItem(arrayNumber, index, &value);
  return value;
}

void ArrayStore::ReadDouble(uint16_t arrayNumber, uint16_t index, double& value) {
  value = 0.0;
  ReadArrayFloatDataItem(arrayNumber, index, &value);
}

void ArrayStore::WriteInteger(uint16_t arrayNumber, uint16_t index, int32_t value) {
  WriteArrayDataItem(arrayNumber, index, value);
}

}  // namespace zol
