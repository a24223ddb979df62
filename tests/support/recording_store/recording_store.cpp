// The recording store's state lives in this library; the tests read it back
// through the C functions of recording_store.h.
#include "recording_store.h"

#include <cstring>
#include <limits>
#include <map>
#include <vector>

#include "QorData.h"

namespace {

struct Array {
  uint8_t typeCode;
  std::vector<double> elements;
};

struct Recorder {
  std::map<uint16_t, Array> arrays;
  std::vector<RecordedCall> calls;
  bool wideOutputs = false;
};

Recorder& State() {
  static Recorder recorder;
  return recorder;
}

// The `width` bytes at `at`, as the store found them.
uint64_t BytesAt(const void* at, std::size_t width) {
  uint64_t bytes = 0;
  std::memcpy(&bytes, at, width);
  return bytes;
}

RecordedCall& Record(RecordedCallKind kind, uint16_t arrayNumber, uint16_t index = 0) {
  RecordedCall call{};
  call.kind = kind;
  call.arrayNumber = arrayNumber;
  call.index = index;
  return State().calls.emplace_back(call);
}

// The element, or null when the array or the index does not exist.
double* Find(uint16_t arrayNumber, uint16_t index) {
  const auto found = State().arrays.find(arrayNumber);
  if (found == State().arrays.end() || index >= found->second.elements.size()) {
    return nullptr;
  }
  return &found->second.elements[index];
}

bool Separate(const std::vector<const unsigned char*>& outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (std::size_t j = 0; j < outputs.size(); ++j) {
      if (outputs[i] == nullptr ||
          (i != j && outputs[i] <= outputs[j] && outputs[j] < outputs[i] + 4)) {
        return false;
      }
    }
  }
  return true;
}

void StoreInfo(const Array& array, uint8_t* typeCode, uint16_t* count, int32_t* const unused[4]) {
  const auto size = static_cast<uint16_t>(array.elements.size());
  if (!State().wideOutputs) {
    *typeCode = array.typeCode;
    *count = size;
    return;
  }
  const uint32_t wideType = 0xA5A5A500U | array.typeCode;
  const uint32_t wideCount = 0x5A5A0000U | size;
  std::memcpy(typeCode, &wideType, 4);
  std::memcpy(count, &wideCount, 4);
  for (int i = 0; i < 4; ++i) {
    *unused[i] = -1;
  }
}

}  // namespace

extern "C" {

QOR_API int32_t QOR_CALL GetArrayInfo(uint16_t arrayNumber, uint8_t* typeCode, int32_t* output2,
                                      uint16_t* count, int32_t* output4, int32_t* output5,
                                      int32_t* output6) {
  const std::vector<const unsigned char*> outputs = {
      typeCode,
      reinterpret_cast<const unsigned char*>(output2),
      reinterpret_cast<const unsigned char*>(count),
      reinterpret_cast<const unsigned char*>(output4),
      reinterpret_cast<const unsigned char*>(output5),
      reinterpret_cast<const unsigned char*>(output6)};
  RecordedCall& call = Record(RECORDED_GET_ARRAY_INFO, arrayNumber);
  call.outputsSeparate = Separate(outputs) ? 1 : 0;
  if (call.outputsSeparate == 0) {
    return 1;
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    call.outputsBefore[i] = BytesAt(outputs[i], 4);
  }
  const auto found = State().arrays.find(arrayNumber);
  if (found == State().arrays.end()) {
    return 1;
  }
  int32_t* const unused[4] = {output2, output4, output5, output6};
  StoreInfo(found->second, typeCode, count, unused);
  return 0;
}

QOR_API int32_t QOR_CALL ReadArrayDataItem(uint16_t arrayNumber, uint16_t index, int32_t* value) {
  Record(RECORDED_READ_ARRAY_DATA_ITEM, arrayNumber, index).outputsBefore[0] = BytesAt(value, 4);
  const double* element = Find(arrayNumber, index);
  if (element == nullptr) {
    return 1;
  }
  *value = static_cast<int32_t>(*element);
  return 0;
}

QOR_API int32_t QOR_CALL ReadArrayFloatDataItem(uint16_t arrayNumber, uint16_t index,
                                                double* value) {
  Record(RECORDED_READ_ARRAY_FLOAT_DATA_ITEM, arrayNumber, index).outputsBefore[0] =
      BytesAt(value, 8);
  const double* element = Find(arrayNumber, index);
  if (element == nullptr) {
    return 1;
  }
  *value = *element;
  return 0;
}

QOR_API int32_t QOR_CALL WriteArrayDataItem(uint16_t arrayNumber, uint16_t index, int32_t value) {
  Record(RECORDED_WRITE_ARRAY_DATA_ITEM, arrayNumber, index).value = value;
  double* element = Find(arrayNumber, index);
  if (element == nullptr) {
    return 1;
  }
  *element = value;
  return 0;
}

RECORDING_API void RecordingStoreReset(void) {
  State() = Recorder{};
}

RECORDING_API void RecordingStoreSetArray(uint16_t arrayNumber, uint8_t typeCode,
                                          const double* elements, uint16_t count) {
  State().arrays[arrayNumber] = Array{typeCode, std::vector<double>(elements, elements + count)};
}

RECORDING_API void RecordingStoreSetWideOutputs(int32_t on) {
  State().wideOutputs = on != 0;
}

RECORDING_API double RecordingStoreElement(uint16_t arrayNumber, uint16_t index) {
  const double* element = Find(arrayNumber, index);
  return element != nullptr ? *element : std::numeric_limits<double>::quiet_NaN();
}

RECORDING_API int32_t RecordingStoreCallCount(void) {
  return static_cast<int32_t>(State().calls.size());
}

RECORDING_API int32_t RecordingStoreGetCall(int32_t i, RecordedCall* call) {
  if (i < 0 || static_cast<std::size_t>(i) >= State().calls.size()) {
    return 1;
  }
  *call = State().calls[static_cast<std::size_t>(i)];
  return 0;
}

}  // extern "C"
