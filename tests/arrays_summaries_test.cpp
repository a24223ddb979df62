// GetArraySize, SumArray and AverageArray against the recording store: results,
// and the exact calls each operation makes to the store.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "host_areas.h"
#include "store_calls.h"

namespace {

constexpr uint64_t kJunk = 0x5A5A5A5AA5A5A5A5ULL;
constexpr uint8_t kInteger = 3;  // any code but 19
constexpr uint8_t kFloat = ZOL_ARRAY_TYPE_FLOAT;

class Summaries : public RecordingStoreTest {
 protected:
  // Runs operation `fn` on `array` with explicit count `n`, over junk in the
  // result cell and in the unused bytes of both slots.
  HostAreas Run(int32_t fn, uint16_t array, int32_t n = 0) {
    HostAreas areas;
    areas.Fill(0x77);
    areas.SetResultBits(kJunk);
    std::memcpy(areas.block(), &array, sizeof array);
    areas.SetInteger(1, n);
    EXPECT_EQ(areas.Call(fn), ZOL_STATUS_OK);
    return areas;
  }
  double Sum(uint16_t array, int32_t n = 0) {
    return Run(ZOL_FN_SUM_ARRAY, array, n).ResultDouble();
  }
  double Average(uint16_t array, int32_t n = 0) {
    return Run(ZOL_FN_AVERAGE_ARRAY, array, n).ResultDouble();
  }
};

TEST_F(Summaries, IntegerArrayWithItsOwnCount) {
  Script(7, kInteger, {1, 2, 3, 4});
  HostAreas size = Run(ZOL_FN_GET_ARRAY_SIZE, 7);
  EXPECT_EQ(size.ResultInteger(), 4);
  EXPECT_EQ(size.ResultHighBytes(), kJunk >> 32) << "integer result touched bytes 4..7";
  EXPECT_EQ(StoreCalls(), std::vector<StoreCall>{InfoCall(7)});

  RecordingStoreReset();
  Script(7, kInteger, {1, 2, 3, 4});
  EXPECT_EQ(Sum(7), 10.0);
  EXPECT_EQ(StoreCalls(), (std::vector<StoreCall>{InfoCall(7), ReadCall(7, 0), ReadCall(7, 1),
                                                  ReadCall(7, 2), ReadCall(7, 3)}));
  EXPECT_EQ(Average(7), 2.5);
}

TEST_F(Summaries, ExplicitCountReadsOnlyThatMany) {
  Script(7, kInteger, {1, 2, 3, 4});
  EXPECT_EQ(Sum(7, 2), 3.0);
  EXPECT_EQ(StoreCalls(), (std::vector<StoreCall>{InfoCall(7), ReadCall(7, 0), ReadCall(7, 1)}));
  EXPECT_EQ(Average(7, 2), 1.5);
  EXPECT_EQ(Average(7, 3), 2.0);
}

TEST_F(Summaries, FloatArrayIsReadAsDoubles) {
  Script(2, kFloat, {0.5, 0.25});
  EXPECT_EQ(Sum(2), 0.75);
  EXPECT_EQ(StoreCalls(),
            (std::vector<StoreCall>{InfoCall(2), ReadFloatCall(2, 0), ReadFloatCall(2, 1)}));
  EXPECT_EQ(Average(2), 0.375);
}

TEST_F(Summaries, SignedIntegersConvertExactly) {
  Script(1, kInteger, {-7});
  EXPECT_EQ(Sum(1), -7.0);
  Script(1, kInteger, {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()});
  EXPECT_EQ(Sum(1), -4294967296.0);  // no 32-bit wrap
  EXPECT_EQ(Average(1), -2147483648.0);
}

TEST_F(Summaries, EachPartialSumIsRoundedToDouble) {
  const double tiny = std::ldexp(1.0, -53);
  Script(4, kFloat, {1.0, tiny, tiny});
  EXPECT_EQ(Sum(4), 1.0);  // 1 + 2^-53 rounds back to 1, twice
  // Ascending index order: the two tiny ones first add up to 2^-52 and survive.
  Script(4, kFloat, {tiny, tiny, 1.0});
  EXPECT_EQ(Sum(4), 1.0 + std::ldexp(1.0, -52));
}

TEST_F(Summaries, NanSumKeepsTheLatestNanElementMadeQuiet) {
  const uint64_t signalling = 0x7FF0000000000001ULL;
  Script(4, kFloat, {std::bit_cast<double>(signalling), 1.0});
  EXPECT_EQ(Run(ZOL_FN_SUM_ARRAY, 4).ResultBits(), signalling | 1ULL << 51);
  Script(4, kFloat,
         {std::bit_cast<double>(signalling), std::bit_cast<double>(0xFFF8000000000ABCULL)});
  EXPECT_EQ(Run(ZOL_FN_SUM_ARRAY, 4).ResultBits(), 0xFFF8000000000ABCULL);
}

TEST_F(Summaries, EmptyArrayGivesPositiveZeroWithoutDividing) {
  Script(9, kInteger, {});
  for (int32_t fn : {ZOL_FN_SUM_ARRAY, ZOL_FN_AVERAGE_ARRAY}) {
    HostAreas areas = Run(fn, 9);
    EXPECT_EQ(areas.ResultBits(), 0U) << fn;  // +0.0, not junk, not NaN
  }
  EXPECT_EQ(StoreCalls(), (std::vector<StoreCall>{InfoCall(9), InfoCall(9)}));
}

TEST_F(Summaries, NegativeCountReadsNothingAndAverageIsNegativeZero) {
  for (int32_t n : {-1, -2, std::numeric_limits<int32_t>::min()}) {
    RecordingStoreReset();
    Script(3, kInteger, {5, 6});
    EXPECT_EQ(Run(ZOL_FN_SUM_ARRAY, 3, n).ResultBits(), 0U) << n;
    const double average = Average(3, n);
    EXPECT_EQ(average, 0.0) << n;
    EXPECT_TRUE(std::signbit(average)) << n;
    EXPECT_EQ(StoreCalls(), (std::vector<StoreCall>{InfoCall(3), InfoCall(3)})) << n;
  }
}

TEST_F(Summaries, CountPastTheEndReadsMissingElementsAsZero) {
  Script(5, kInteger, {5, 7});
  EXPECT_EQ(Sum(5, 4), 12.0);
  EXPECT_EQ(StoreCalls(), (std::vector<StoreCall>{InfoCall(5), ReadCall(5, 0), ReadCall(5, 1),
                                                  ReadCall(5, 2), ReadCall(5, 3)}));
  EXPECT_EQ(Average(5, 4), 3.0);
}

TEST_F(Summaries, IndexesWrapAt65536) {
  Script(5, kInteger, {5, 7});
  EXPECT_EQ(Sum(5, 65538), 24.0);  // elements 0 and 1 are read twice
  const auto calls = StoreCalls();
  ASSERT_EQ(calls.size(), 65539U);
  for (std::size_t i = 1; i < calls.size(); ++i) {
    ASSERT_EQ(calls[i], ReadCall(5, static_cast<uint16_t>((i - 1) % 65536))) << i;
  }
}

TEST_F(Summaries, ArrayNumberIsTheSlotsLow16Bits) {
  Script(5, kInteger, {1});
  HostAreas areas;
  areas.Fill(0x77);
  areas.SetInteger(0, 0x00030005);
  areas.SetInteger(1, 0);
  ASSERT_EQ(areas.Call(ZOL_FN_SUM_ARRAY), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultDouble(), 1.0);
  EXPECT_EQ(StoreCalls(), (std::vector<StoreCall>{InfoCall(5), ReadCall(5, 0)}));
}

TEST_F(Summaries, CountIsUnsigned16Bits) {
  Script(6, kInteger, std::vector<double>(65535, 1.0));
  EXPECT_EQ(Run(ZOL_FN_GET_ARRAY_SIZE, 6).ResultInteger(), 65535);
  EXPECT_EQ(Sum(6), 65535.0);
}

// A store that stores nothing (here: an array it does not have) leaves every
// output as the library set it, 0.
TEST_F(Summaries, UnknownArrayYieldsZeros) {
  EXPECT_EQ(Run(ZOL_FN_GET_ARRAY_SIZE, 8).ResultInteger(), 0);
  EXPECT_EQ(Run(ZOL_FN_SUM_ARRAY, 8).ResultBits(), 0U);
  EXPECT_EQ(Run(ZOL_FN_SUM_ARRAY, 8, 3).ResultBits(), 0U);
  EXPECT_EQ(Run(ZOL_FN_AVERAGE_ARRAY, 8, 3).ResultBits(), 0U);
  // Type 0 is not 19, so the elements are asked for as integers.
  EXPECT_EQ(StoreCalls().back(), ReadCall(8, 2));
}

TEST_F(Summaries, EveryOutputIsSeparateAndZeroBeforeEachCall) {
  Script(1, kInteger, {4, 5});
  Script(2, kFloat, {0.5, 1.5});
  RecordingStoreSetWideOutputs(1);  // the store scribbles on all six outputs
  for (int array : {1, 2, 1, 3}) {
    Sum(static_cast<uint16_t>(array), 3);
  }
  const auto calls = RecordedCalls();
  ASSERT_EQ(calls.size(), 16U);
  for (const RecordedCall& call : calls) {
    if (call.kind == RECORDED_GET_ARRAY_INFO) {
      EXPECT_EQ(call.outputsSeparate, 1);
      for (uint64_t before : call.outputsBefore) {
        EXPECT_EQ(before, 0U) << "array " << call.arrayNumber;
      }
    } else {
      EXPECT_EQ(call.outputsBefore[0], 0U) << "element " << call.index;
    }
  }
}

// A store may declare every output as a 32-bit integer: the library takes the
// type code from 8 bits and the count from 16, and ignores the rest.
TEST_F(Summaries, WideOutputsAreTakenAs8And16Bits) {
  Script(2, kFloat, {0.5, 1.5});
  RecordingStoreSetWideOutputs(1);
  EXPECT_EQ(Run(ZOL_FN_GET_ARRAY_SIZE, 2).ResultInteger(), 2);
  EXPECT_EQ(Sum(2), 2.0);
  EXPECT_EQ(StoreCalls().back(), ReadFloatCall(2, 1));
}

}  // namespace
