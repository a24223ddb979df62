// The array store a benchmark program runs with: the stand-in QorData, or the
// benchmark's own minimal store (built as a libQorData.so of its own, which the
// library then uses in place of the stand-in).
#pragma once

#include <cstdint>

#include "QorData.h"

// The value of element i in every benchmark array.
inline double ElementValue(int i) {
  return 0.5 * (i % 1000) + 0.25;
}

#if defined(ZOL_MINIMAL_STORE)
#define STORE_SUFFIX "/minimal"
extern "C" QOR_API void MinimalStoreFill(uint16_t arrayNumber, int count);
inline void PrepareFloatArray(uint16_t arrayNumber, int count) {
  MinimalStoreFill(arrayNumber, count);
}
#else
#include "QorDataHost.h"
#define STORE_SUFFIX "/standin"
inline void PrepareFloatArray(uint16_t arrayNumber, int count) {
  CreateArray(arrayNumber, QOR_TYPE_FLOAT, static_cast<uint16_t>(count));
  for (int i = 0; i < count; ++i) {
    WriteArrayFloatDataItem(arrayNumber, static_cast<uint16_t>(i), ElementValue(i));
  }
}
#endif
