// The stand-in QorData's exported calls: the four a client library uses and the
// host API, all over one process-wide table. A call returns 0 when it found the
// array and element, and 1 (storing nothing) when it did not.
#include <cstdint>

#include "QorData.h"
#include "QorDataHost.h"
#include "array_table.h"

namespace {

constexpr int32_t kFound = 0;
constexpr int32_t kMissing = 1;

qordata::ArrayTable& Table() {
  static qordata::ArrayTable table;
  return table;
}

// Outputs a caller does not want may be null.
template <typename T, typename V>
void StoreIfWanted(T* output, V value) {
  if (output != nullptr) {
    *output = static_cast<T>(value);
  }
}

int32_t Status(bool found) {
  return found ? kFound : kMissing;
}

}  // namespace

extern "C" {

QOR_API int32_t QOR_CALL GetArrayInfo(uint16_t arrayNumber, uint8_t* typeCode, int32_t* output2,
                                      uint16_t* count, int32_t* output4, int32_t* output5,
                                      int32_t* output6) {
  const auto info = Table().Info(arrayNumber);
  if (!info) {
    return kMissing;
  }
  StoreIfWanted(typeCode, info->typeCode);
  StoreIfWanted(count, info->count);
  for (int32_t* unused : {output2, output4, output5, output6}) {
    StoreIfWanted(unused, 0);
  }
  return kFound;
}

QOR_API int32_t QOR_CALL ReadArrayDataItem(uint16_t arrayNumber, uint16_t index, int32_t* value) {
  const auto element = Table().ReadInteger(arrayNumber, index);
  if (!element) {
    return kMissing;
  }
  StoreIfWanted(value, *element);
  return kFound;
}

QOR_API int32_t QOR_CALL ReadArrayFloatDataItem(uint16_t arrayNumber, uint16_t index,
                                                double* value) {
  const auto element = Table().ReadDouble(arrayNumber, index);
  if (!element) {
    return kMissing;
  }
  StoreIfWanted(value, *element);
  return kFound;
}

QOR_API int32_t QOR_CALL WriteArrayDataItem(uint16_t arrayNumber, uint16_t index, int32_t value) {
  return Status(Table().WriteInteger(arrayNumber, index, value));
}

QOR_API int32_t QOR_CALL CreateArray(uint16_t arrayNumber, uint8_t typeCode, uint16_t count) {
  Table().Create(arrayNumber, typeCode, count);
  return kFound;
}

QOR_API int32_t QOR_CALL DeleteArray(uint16_t arrayNumber) {
  return Status(Table().Delete(arrayNumber));
}

QOR_API int32_t QOR_CALL WriteArrayFloatDataItem(uint16_t arrayNumber, uint16_t index,
                                                 double value) {
  return Status(Table().WriteDouble(arrayNumber, index, value));
}

}  // extern "C"
