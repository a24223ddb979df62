// WriteIntegerBytes and ReadIntegerBytes against the recording store: which
// elements they touch, in which order, and what they make of the values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "host_areas.h"
#include "store_calls.h"

namespace {

constexpr uint16_t kArray = 4;
constexpr int32_t kValue = 0x12345678;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

class BytePacking : public RecordingStoreTest {
 protected:
  // WriteIntegerBytes; no byte of the three areas but its inputs may change.
  void Write(int32_t value, int32_t start, int32_t count, int32_t flag) {
    HostAreas areas;
    areas.Fill(0x77);
    areas.SetInteger(0, value);
    areas.SetInteger(1, 0x00010000 | kArray);  // only the low 16 bits name the array
    areas.SetInteger(2, start);
    areas.SetInteger(3, count);
    areas.SetInteger(4, flag);
    const auto before = areas.Save();
    EXPECT_EQ(areas.Call(ZOL_FN_WRITE_INTEGER_BYTES), ZOL_STATUS_OK);
    EXPECT_EQ(areas.Save(), before) << "WriteIntegerBytes changed the caller's areas";
  }
  // ReadIntegerBytes; checks that bytes 4..7 of the result stay as they were.
  int32_t Read(int32_t start, int32_t count, int32_t flag) {
    HostAreas areas;
    areas.Fill(0x77);
    areas.SetInteger(0, 0x00010000 | kArray);
    areas.SetInteger(1, start);
    areas.SetInteger(2, count);
    areas.SetInteger(3, flag);
    EXPECT_EQ(areas.Call(ZOL_FN_READ_INTEGER_BYTES), ZOL_STATUS_OK);
    EXPECT_EQ(areas.ResultHighBytes(), 0x77777777U);
    return areas.ResultInteger();
  }
  static std::vector<StoreCall> Writes(std::vector<std::pair<uint16_t, int32_t>> writes) {
    std::vector<StoreCall> calls;
    for (auto [index, value] : writes) {
      calls.push_back(WriteCall(kArray, index, value));
    }
    return calls;
  }
  static std::vector<StoreCall> Reads(std::vector<uint16_t> indexes) {
    std::vector<StoreCall> calls;
    for (uint16_t index : indexes) {
      calls.push_back(ReadCall(kArray, index));
    }
    return calls;
  }
};

TEST_F(BytePacking, WriteLeastSignificantFirst) {
  Write(kValue, 10, 4, 0);
  EXPECT_EQ(StoreCalls(), Writes({{10, 0x78}, {11, 0x56}, {12, 0x34}, {13, 0x12}}));
}

TEST_F(BytePacking, WriteMostSignificantFirstStillWritesTheLowByteFirst) {
  for (int32_t flag : {1, -5, kMin}) {
    RecordingStoreReset();
    Write(kValue, 10, 4, flag);
    EXPECT_EQ(StoreCalls(), Writes({{13, 0x78}, {12, 0x56}, {11, 0x34}, {10, 0x12}})) << flag;
  }
}

TEST_F(BytePacking, WriteFewerBytesThanFour) {
  Write(kValue, 10, 2, 0);
  Write(kValue, 0, 2, 1);
  EXPECT_EQ(StoreCalls(), Writes({{10, 0x78}, {11, 0x56}, {1, 0x78}, {0, 0x56}}));
}

TEST_F(BytePacking, WriteMoreBytesThanFourAddsZeros) {
  Write(-1, 0, 6, 0);
  Write(-1, 0, 6, 1);
  EXPECT_EQ(StoreCalls(), Writes({{0, 0xFF},
                                  {1, 0xFF},
                                  {2, 0xFF},
                                  {3, 0xFF},
                                  {4, 0},
                                  {5, 0},
                                  {5, 0xFF},
                                  {4, 0xFF},
                                  {3, 0xFF},
                                  {2, 0xFF},
                                  {1, 0},
                                  {0, 0}}));
}

TEST_F(BytePacking, ZeroOrNegativeCountTouchesNothing) {
  for (int32_t count : {0, -1, -4, kMin}) {
    for (int32_t flag : {0, 1}) {
      Write(kValue, 10, count, flag);
      EXPECT_EQ(Read(10, count, flag), 0) << count;
    }
  }
  EXPECT_TRUE(StoreCalls().empty());
}

TEST_F(BytePacking, IndexesWrapAt65536WithoutOverflow) {
  Write(kValue, 65534, 4, 0);
  Write(kValue, -1, 2, 1);
  // start + count - 1 passes 2^31 - 1: the store gets the low 16 bits of the sum.
  Write(kValue, kMax, 2, 1);
  EXPECT_EQ(StoreCalls(), Writes({{65534, 0x78},
                                  {65535, 0x56},
                                  {0, 0x34},
                                  {1, 0x12},
                                  {0, 0x78},
                                  {65535, 0x56},
                                  {0, 0x78},
                                  {65535, 0x56}}));
  RecordingStoreReset();
  Read(65534, 4, 1);
  Read(kMax, 2, 0);
  EXPECT_EQ(StoreCalls(), Reads({65534, 65535, 0, 1, 0, 65535}));
}

TEST_F(BytePacking, ReadInEitherByteOrder) {
  Script(kArray, 3, {0x12, 0x34, 0x56, 0x78});
  EXPECT_EQ(Read(0, 4, 1), 0x12345678);
  EXPECT_EQ(StoreCalls(), Reads({0, 1, 2, 3}));
  RecordingStoreReset();
  Script(kArray, 3, {0x12, 0x34, 0x56, 0x78});
  EXPECT_EQ(Read(0, 4, 0), 0x78563412);
  EXPECT_EQ(StoreCalls(), Reads({3, 2, 1, 0}));
}

TEST_F(BytePacking, ReadAddsWholeSignedElements) {
  Script(kArray, 3, {0x01, 0xFF});
  EXPECT_EQ(Read(0, 2, 1), 511);
  Script(kArray, 3, {0x01, 256});
  EXPECT_EQ(Read(0, 2, 1), 512);  // 256 carries into the next byte
  Script(kArray, 3, {-1});
  EXPECT_EQ(Read(0, 1, 0), -1);
  Script(kArray, 3, {-1, 0});
  EXPECT_EQ(Read(0, 2, 1), -256);  // -1 * 256 + 0
  Script(kArray, 3, {kMax, kMax});
  EXPECT_EQ(Read(0, 2, 1), static_cast<int32_t>(0x7FFFFFFFU * 257U));  // wraps modulo 2^32
}

TEST_F(BytePacking, ReadMoreThanFourKeepsTheLastFourRead) {
  Script(kArray, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(Read(0, 6, 1), 0x03040506);  // highest four indexes
  EXPECT_EQ(Read(0, 6, 0), 0x04030201);  // lowest four indexes
}

TEST_F(BytePacking, ReadNeverAsksForTypeAndReadsFloatArraysAsIntegers) {
  Script(kArray, ZOL_ARRAY_TYPE_FLOAT, {1.0, 2.0});
  EXPECT_EQ(Read(0, 2, 1), 0x0102);
  EXPECT_EQ(StoreCalls(), Reads({0, 1}));
}

TEST_F(BytePacking, ReadFromAStoreThatStoresNothingGivesZero) {
  EXPECT_EQ(Read(0, 4, 1), 0);
  for (const RecordedCall& call : RecordedCalls()) {
    EXPECT_EQ(call.outputsBefore[0], 0U);
  }
}

TEST_F(BytePacking, ReadGivesBackTheLowBytesThatWriteWrote) {
  for (int32_t value : {kValue, -2, kMin, 0x00FF00FF}) {
    for (int32_t count = 1; count <= 4; ++count) {
      for (int32_t flag : {0, 1}) {
        Script(kArray, 3, std::vector<double>(8, 0.0));
        Write(value, 2, count, flag);
        const uint32_t mask = count == 4 ? 0xFFFFFFFFU : (1U << (8 * count)) - 1U;
        EXPECT_EQ(static_cast<uint32_t>(Read(2, count, flag)), static_cast<uint32_t>(value) & mask)
            << value << " count " << count << " flag " << flag;
        EXPECT_EQ(RecordingStoreElement(kArray, 1), 0.0);  // nothing outside the run
        EXPECT_EQ(RecordingStoreElement(kArray, static_cast<uint16_t>(2 + count)), 0.0);
      }
    }
  }
}

}  // namespace
