// The recording store's log as comparable values, and a fixture that starts
// every test with an empty store.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "recording_store.h"

// One store call with the arguments that identify it.
struct StoreCall {
  int32_t kind;
  uint16_t array;
  uint16_t index;
  int32_t value;
  bool operator==(const StoreCall&) const = default;
};

inline StoreCall InfoCall(uint16_t array) {
  return {RECORDED_GET_ARRAY_INFO, array, 0, 0};
}
inline StoreCall ReadCall(uint16_t array, uint16_t index) {
  return {RECORDED_READ_ARRAY_DATA_ITEM, array, index, 0};
}
inline StoreCall ReadFloatCall(uint16_t array, uint16_t index) {
  return {RECORDED_READ_ARRAY_FLOAT_DATA_ITEM, array, index, 0};
}
inline StoreCall WriteCall(uint16_t array, uint16_t index, int32_t value) {
  return {RECORDED_WRITE_ARRAY_DATA_ITEM, array, index, value};
}

inline void PrintTo(const StoreCall& call, std::ostream* out) {
  static const char* const kNames[] = {"?", "GetArrayInfo", "ReadArrayDataItem",
                                       "ReadArrayFloatDataItem", "WriteArrayDataItem"};
  *out << kNames[call.kind >= 1 && call.kind <= 4 ? call.kind : 0] << '(' << call.array;
  if (call.kind != RECORDED_GET_ARRAY_INFO) {
    *out << ", " << call.index;
  }
  if (call.kind == RECORDED_WRITE_ARRAY_DATA_ITEM) {
    *out << ", " << call.value;
  }
  *out << ')';
}

// Every recorded call, in order, with what the outputs held beforehand.
inline std::vector<RecordedCall> RecordedCalls() {
  std::vector<RecordedCall> calls(static_cast<std::size_t>(RecordingStoreCallCount()));
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(RecordingStoreGetCall(static_cast<int32_t>(i), &calls[i]), 0);
  }
  return calls;
}

inline std::vector<StoreCall> StoreCalls() {
  std::vector<StoreCall> calls;
  for (const RecordedCall& c : RecordedCalls()) {
    calls.push_back({c.kind, c.arrayNumber, c.index, c.value});
  }
  return calls;
}

class RecordingStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RecordingStoreReset(); }
  void TearDown() override { RecordingStoreReset(); }

  static void Script(uint16_t array, uint8_t typeCode, std::vector<double> elements) {
    RecordingStoreSetArray(array, typeCode, elements.data(),
                           static_cast<uint16_t>(elements.size()));
  }
};
