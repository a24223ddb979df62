// StartTimer and ReadElapsedTime against a tick counter the test sets: how the
// timestamp is kept in slots 0 and 1, and the arithmetic of the elapsed time.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "fake_platform.h"
#include "host_areas.h"

namespace {

constexpr uint64_t kJunk = 0x5A5A5A5AA5A5A5A5ULL;
constexpr int64_t kTenMegahertz = 10'000'000;
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// A StartTimer at `start`, then a ReadElapsedTime at `now`; the result, after
// checking that bytes 4..7 of ResultValue were left alone.
int32_t Elapsed(int64_t start, int64_t now, int64_t frequency, int32_t offset = 0) {
  HostAreas areas;
  fake_platform::SetCounter(start);
  EXPECT_EQ(areas.Call(ZOL_FN_START_TIMER), ZOL_STATUS_OK);
  fake_platform::SetCounter(now);
  fake_platform::SetFrequency(frequency);
  areas.SetInteger(2, offset);
  areas.SetResultBits(kJunk);
  EXPECT_EQ(areas.Call(ZOL_FN_READ_ELAPSED_TIME), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultHighBytes(), kJunk >> 32);
  return areas.ResultInteger();
}

TEST(StartTimer, SplitsTheCounterOverTheFirstFourBytesOfSlotsZeroAndOne) {
  for (int64_t counter : {int64_t{0x0123456789ABCDEF}, int64_t{-2}}) {
    HostAreas areas;
    HostAreas expected;
    areas.Fill(0xA5);
    expected.Fill(0xA5);
    fake_platform::SetCounter(counter);
    ASSERT_EQ(areas.Call(ZOL_FN_START_TIMER), ZOL_STATUS_OK);
    // Low half in slot 0, high half in slot 1; no other byte of the areas changes.
    const auto bits = static_cast<uint64_t>(counter);
    expected.SetInteger(0, static_cast<int32_t>(static_cast<uint32_t>(bits)));
    expected.SetInteger(1, static_cast<int32_t>(static_cast<uint32_t>(bits >> 32)));
    EXPECT_EQ(areas.Save(), expected.Save()) << counter;
  }
}

TEST(ReadElapsedTime, ScalesTicksToHundredNanosecondUnitsAtEveryFrequency) {
  EXPECT_EQ(Elapsed(1000, 1500, kTenMegahertz, 45), 455);
  EXPECT_EQ(Elapsed(0, 3, 3'000'000), 10);
  EXPECT_EQ(Elapsed(7, 3'000'007, 3'000'000), 10'000'000);
  EXPECT_EQ(Elapsed(0, 24, 24'000'000), 10);
  EXPECT_EQ(Elapsed(0, 1, 1'000'000), 10);
  EXPECT_EQ(Elapsed(100, 100 + 3'579'545, 3'579'545), 10'000'000);
  EXPECT_EQ(Elapsed(-5, 5, kTenMegahertz), 10);  // across zero
}

TEST(ReadElapsedTime, FractionsOfAUnitTruncateTowardZero) {
  EXPECT_EQ(Elapsed(0, 1, 24'000'000), 0);    // 0.42 units
  EXPECT_EQ(Elapsed(0, 1, 3'579'545), 2);     // 2.79 units
  EXPECT_EQ(Elapsed(0, 25, 24'000'000), 10);  // 10.42 units
  // A later timestamp in the slots gives a negative count, still truncated
  // toward zero rather than down.
  EXPECT_EQ(Elapsed(1, 0, 3'000'000), -3);  // -3.33 units
  EXPECT_EQ(Elapsed(1, 0, 24'000'000), 0);  // -0.42 units
  EXPECT_EQ(Elapsed(500, 0, kTenMegahertz, 45), -545);
}

TEST(ReadElapsedTime, CounterNotAdvancedGivesTheNegatedOffset) {
  for (int32_t offset : {0, 45, -45, kInt32Max}) {
    EXPECT_EQ(Elapsed(123456789, 123456789, kTenMegahertz, offset), -offset) << offset;
  }
  EXPECT_EQ(Elapsed(0, 0, kTenMegahertz, kInt32Min), kInt32Min);  // -(-2^31) wraps
}

TEST(ReadElapsedTime, ResultIsTheLowThirtyTwoBitsLessTheOffset) {
  EXPECT_EQ(Elapsed(0, int64_t{1} << 31, kTenMegahertz), kInt32Min);
  EXPECT_EQ(Elapsed(0, (int64_t{1} << 32) + 5, kTenMegahertz), 5);
  EXPECT_EQ(Elapsed(0, 3 * (int64_t{1} << 32) + 7, kTenMegahertz, 7), 0);
  EXPECT_EQ(Elapsed(0, kInt32Max, kTenMegahertz, -1), kInt32Min);
  EXPECT_EQ(Elapsed(0, 5, kTenMegahertz, kInt32Min), kInt32Min + 5);
}

TEST(ReadElapsedTime, DifferenceAndProductWrapInSixtyFourBits) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  EXPECT_EQ(Elapsed(kMax, kMin, kTenMegahertz), 1);
  EXPECT_EQ(Elapsed(kMin, kMax, kTenMegahertz), -1);
  // (2^60 + 1) * 10^7 wraps to 10^7: 3 units at 3 MHz, where the true
  // quotient's low bits would give 1431655768.
  EXPECT_EQ(Elapsed(0, (int64_t{1} << 60) + 1, 3'000'000), 3);
  // 2^56 * 10^7 wraps to -2^63, divided as a signed number, truncating:
  // -3074457345618258602, whose low 32 bits are 1431655766.
  EXPECT_EQ(Elapsed(0, int64_t{1} << 56, 3), 1431655766);
}

TEST(ReadElapsedTime, TimestampIsRebuiltFromTwoUnsignedHalves) {
  HostAreas areas;
  areas.Fill(0xEE);         // bytes 4..7 of every slot are junk
  areas.SetInteger(0, -1);  // the low half 0xFFFFFFFF, not a negative number
  areas.SetInteger(1, 1);
  areas.SetInteger(2, 0);
  fake_platform::SetFrequency(3'000'000);
  fake_platform::SetCounter(0x1'FFFF'FFFF + 3);
  ASSERT_EQ(areas.Call(ZOL_FN_READ_ELAPSED_TIME), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultInteger(), 10);
}

TEST(ReadElapsedTime, DegenerateFrequenciesNeitherTrapNorOverflow) {
  // No ticks per second: the elapsed count is 0, the result the negated offset.
  EXPECT_EQ(Elapsed(0, 1000, 0), 0);
  EXPECT_EQ(Elapsed(0, 1000, 0, 45), -45);
  // A product of -2^63 divided by -1 wraps instead of trapping.
  EXPECT_EQ(Elapsed(0, int64_t{1} << 56, -1), 0);
  EXPECT_EQ(Elapsed(0, 1, -1), -10'000'000);
}

}  // namespace
