// The least a QorData can do: one array of doubles in plain memory, no locks,
// no bookkeeping. SumArray through it shows the library's own cost per element.
#include <array>
#include <cmath>
#include <cstdint>

#define ZOL_MINIMAL_STORE 1
#include "bench_store.h"

namespace {
std::array<double, 65536> gElements{};
uint16_t gCount = 0;
uint16_t gArray = 0;
}  // namespace

extern "C" {

QOR_API void MinimalStoreFill(uint16_t arrayNumber, int count) {
  gArray = arrayNumber;
  gCount = static_cast<uint16_t>(count);
  for (int i = 0; i < count; ++i)
    gElements[static_cast<std::size_t>(i)] = ElementValue(i);
}

QOR_API int32_t QOR_CALL GetArrayInfo(uint16_t arrayNumber, uint8_t* typeCode, int32_t*,
                                      uint16_t* count, int32_t*, int32_t*, int32_t*) {
  if (arrayNumber != gArray)
    return 1;
  *typeCode = QOR_TYPE_FLOAT;
  *count = gCount;
  return 0;
}

QOR_API int32_t QOR_CALL ReadArrayDataItem(uint16_t, uint16_t index, int32_t* value) {
  *value = static_cast<int32_t>(gElements[index]);
  return 0;
}

QOR_API int32_t QOR_CALL ReadArrayFloatDataItem(uint16_t, uint16_t index, double* value) {
  *value = gElements[index];
  return 0;
}

QOR_API int32_t QOR_CALL WriteArrayDataItem(uint16_t, uint16_t index, int32_t value) {
  gElements[index] = value;
  return 0;
}

}  // extern "C"
