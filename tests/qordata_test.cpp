// The stand-in QorData through its C API, and the library working over it as it
// does for a host that ships no store of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "QorDataHost.h"
#include "host_areas.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kSentinel = 0x5EADBEEF;

struct Info {
  int32_t status;
  uint8_t type;
  uint16_t count;
  int32_t unused[4];
};

Info InfoOf(uint16_t array) {
  Info info{0, 0xEE, 0xEEEE, {kSentinel, kSentinel, kSentinel, kSentinel}};
  info.status = GetArrayInfo(array, &info.type, &info.unused[0], &info.count, &info.unused[1],
                             &info.unused[2], &info.unused[3]);
  return info;
}

int32_t IntegerAt(uint16_t array, uint16_t index) {
  int32_t value = kSentinel;
  EXPECT_EQ(ReadArrayDataItem(array, index, &value), 0) << array << "[" << index << "]";
  return value;
}

double DoubleAt(uint16_t array, uint16_t index) {
  double value = -99.0;
  EXPECT_EQ(ReadArrayFloatDataItem(array, index, &value), 0) << array << "[" << index << "]";
  return value;
}

class StandInStore : public ::testing::Test {
 protected:
  // Arrays this test uses, deleted afterwards so that tests do not meet.
  void TearDown() override {
    for (int array : {0, 1, 2, 3, 65535}) {
      DeleteArray(static_cast<uint16_t>(array));
    }
  }
};

TEST_F(StandInStore, CreatedArraysAreZeroAndReportTypeAndCount) {
  ASSERT_EQ(CreateArray(1, 7, 3), 0);
  const Info info = InfoOf(1);
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.type, 7);
  EXPECT_EQ(info.count, 3);
  for (int32_t unused : info.unused) {
    EXPECT_EQ(unused, 0);
  }
  EXPECT_EQ(IntegerAt(1, 2), 0);
  EXPECT_EQ(DoubleAt(1, 0), 0.0);
  // Only the outputs that matter need be given.
  uint8_t type = 0;
  uint16_t count = 0;
  EXPECT_EQ(GetArrayInfo(1, &type, nullptr, &count, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(count, 3);
}

TEST_F(StandInStore, LargestArrayNumberAndCount) {
  ASSERT_EQ(CreateArray(65535, QOR_TYPE_FLOAT, 65535), 0);
  EXPECT_EQ(InfoOf(65535).count, 65535);
  EXPECT_EQ(WriteArrayFloatDataItem(65535, 65534, 2.5), 0);
  EXPECT_EQ(DoubleAt(65535, 65534), 2.5);
}

TEST_F(StandInStore, IntegerArrayConversions) {
  ASSERT_EQ(CreateArray(1, 0, 8), 0);
  const double written[] = {2.9, -2.9, 1e10, -1e10, NAN, INFINITY, 2147483647.5, -2147483648.0};
  const int32_t stored[] = {2, -2, kMax, kMin, 0, kMax, kMax, kMin};
  for (uint16_t i = 0; i < 8; ++i) {
    ASSERT_EQ(WriteArrayFloatDataItem(1, i, written[i]), 0);
    EXPECT_EQ(IntegerAt(1, i), stored[i]) << written[i];
    EXPECT_EQ(DoubleAt(1, i), static_cast<double>(stored[i])) << written[i];
  }
  ASSERT_EQ(WriteArrayDataItem(1, 0, kMin), 0);
  EXPECT_EQ(IntegerAt(1, 0), kMin);
  EXPECT_EQ(DoubleAt(1, 0), -2147483648.0);
}

TEST_F(StandInStore, FloatArrayConversions) {
  ASSERT_EQ(CreateArray(2, QOR_TYPE_FLOAT, 4), 0);
  ASSERT_EQ(WriteArrayDataItem(2, 0, -7), 0);
  EXPECT_EQ(DoubleAt(2, 0), -7.0);
  ASSERT_EQ(WriteArrayFloatDataItem(2, 1, 0.1), 0);
  EXPECT_EQ(DoubleAt(2, 1), 0.1);  // kept as a double, not narrowed
  EXPECT_EQ(IntegerAt(2, 1), 0);
  ASSERT_EQ(WriteArrayFloatDataItem(2, 2, -2.5), 0);
  EXPECT_EQ(IntegerAt(2, 2), -2);  // toward zero
  ASSERT_EQ(WriteArrayFloatDataItem(2, 3, 3e9), 0);
  EXPECT_EQ(IntegerAt(2, 3), kMax);
}

TEST_F(StandInStore, UnknownArrayOrIndexStoresNothing) {
  ASSERT_EQ(CreateArray(3, 0, 2), 0);
  ASSERT_EQ(CreateArray(0, 0, 0), 0);  // exists, but has no element
  const Info unknown = InfoOf(2);
  EXPECT_NE(unknown.status, 0);
  EXPECT_EQ(unknown.type, 0xEE);
  EXPECT_EQ(unknown.count, 0xEEEE);
  EXPECT_EQ(unknown.unused[0], kSentinel);
  EXPECT_EQ(InfoOf(0).count, 0);

  for (auto [array, index] : {std::pair<uint16_t, uint16_t>{2, 0}, {3, 2}, {3, 65535}, {0, 0}}) {
    int32_t integer = kSentinel;
    double real = -99.0;
    EXPECT_NE(ReadArrayDataItem(array, index, &integer), 0);
    EXPECT_NE(ReadArrayFloatDataItem(array, index, &real), 0);
    EXPECT_NE(WriteArrayDataItem(array, index, 1), 0);
    EXPECT_NE(WriteArrayFloatDataItem(array, index, 1.0), 0);
    EXPECT_EQ(integer, kSentinel);
    EXPECT_EQ(real, -99.0);
  }
  EXPECT_EQ(IntegerAt(3, 1), 0);  // the failed writes landed nowhere
}

TEST_F(StandInStore, ReplaceAndDelete) {
  ASSERT_EQ(CreateArray(1, 0, 2), 0);
  ASSERT_EQ(WriteArrayDataItem(1, 1, 42), 0);
  ASSERT_EQ(CreateArray(1, QOR_TYPE_FLOAT, 5), 0);
  EXPECT_EQ(InfoOf(1).type, QOR_TYPE_FLOAT);
  EXPECT_EQ(InfoOf(1).count, 5);
  EXPECT_EQ(DoubleAt(1, 1), 0.0);  // a fresh array, not the old content
  EXPECT_EQ(DeleteArray(1), 0);
  EXPECT_NE(DeleteArray(1), 0);
  EXPECT_NE(InfoOf(1).status, 0);
}

// The library over the stand-in: what a host without its own store gets.
TEST_F(StandInStore, LibrarySumsAndPacksThroughIt) {
  const double tiny = std::ldexp(1.0, -53);
  ASSERT_EQ(CreateArray(2, QOR_TYPE_FLOAT, 3), 0);
  WriteArrayFloatDataItem(2, 0, 1.0);
  WriteArrayFloatDataItem(2, 1, tiny);
  WriteArrayFloatDataItem(2, 2, tiny);
  HostAreas areas;
  areas.SetInteger(0, 2);
  ASSERT_EQ(areas.Call(ZOL_FN_SUM_ARRAY), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultDouble(), 1.0);
  ASSERT_EQ(areas.Call(ZOL_FN_GET_ARRAY_SIZE), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultInteger(), 3);

  ASSERT_EQ(CreateArray(3, 1, 4), 0);
  areas.SetInteger(0, -123456789);
  areas.SetInteger(1, 3);  // array
  areas.SetInteger(2, 0);  // start
  areas.SetInteger(3, 4);  // count
  areas.SetInteger(4, 1);  // most significant first
  ASSERT_EQ(areas.Call(ZOL_FN_WRITE_INTEGER_BYTES), ZOL_STATUS_OK);
  EXPECT_EQ(IntegerAt(3, 0), 0xF8);  // -123456789 = 0xF8A432EB
  EXPECT_EQ(IntegerAt(3, 3), 0xEB);
  areas.SetInteger(0, 3);
  areas.SetInteger(1, 0);
  areas.SetInteger(2, 4);
  areas.SetInteger(3, 1);
  ASSERT_EQ(areas.Call(ZOL_FN_READ_INTEGER_BYTES), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultInteger(), -123456789);
}

}  // namespace
