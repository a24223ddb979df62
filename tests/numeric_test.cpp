// Inverse trigonometry and the float/integer bit conversions, called as a host
// calls them, with every byte of ResultValue checked.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "QorDataHost.h"
#include "fp_environments.h"
#include "guarded_memory.h"
#include "host_areas.h"

namespace {

constexpr uint64_t kJunk = 0x5A5A5A5AA5A5A5A5ULL;

double CallDouble(int32_t fn, double arg) {
  HostAreas areas;
  areas.SetResultBits(kJunk);
  areas.SetDouble(0, arg);
  EXPECT_EQ(areas.Call(fn), ZOL_STATUS_OK);
  return areas.ResultDouble();
}

// IntegerBitsToFloat on a bit pattern; the whole result cell is the double.
double BitsToFloat(uint32_t bits, int32_t swap) {
  HostAreas areas;
  areas.SetResultBits(kJunk);
  areas.SetInteger(0, static_cast<int32_t>(bits));
  areas.SetInteger(1, swap);
  EXPECT_EQ(areas.Call(ZOL_FN_INTEGER_BITS_TO_FLOAT), ZOL_STATUS_OK);
  return areas.ResultDouble();
}

// FloatToIntegerBits; also checks that bytes 4..7 of the result are untouched.
uint32_t FloatToBits(double v, int32_t swap) {
  HostAreas areas;
  areas.SetResultBits(kJunk);
  areas.SetDouble(0, v);
  areas.SetInteger(1, swap);
  EXPECT_EQ(areas.Call(ZOL_FN_FLOAT_TO_INTEGER_BITS), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultHighBytes(), kJunk >> 32) << "integer result touched bytes 4..7";
  return static_cast<uint32_t>(areas.ResultInteger());
}

TEST(InverseTrig, KnownValues) {
  EXPECT_EQ(CallDouble(ZOL_FN_ARC_SINE, 1.0), 1.5707963267948966);
  EXPECT_EQ(CallDouble(ZOL_FN_ARC_COSINE, -1.0), std::numbers::pi);
  EXPECT_EQ(CallDouble(ZOL_FN_ARC_TANGENT, 0.0), 0.0);
  EXPECT_EQ(CallDouble(ZOL_FN_ARC_TANGENT, 1.0), std::numbers::pi / 4);
  EXPECT_EQ(CallDouble(ZOL_FN_ARC_COSINE, 1.0), 0.0);
}

TEST(InverseTrig, MatchesTheMathsLibrary) {
  for (double x : {-1.0, -0.75, -0.5, -1e-300, 0.0, 0.3, 0.5, 0.999999}) {
    EXPECT_EQ(CallDouble(ZOL_FN_ARC_SINE, x), std::asin(x)) << x;
    EXPECT_EQ(CallDouble(ZOL_FN_ARC_COSINE, x), std::acos(x)) << x;
  }
  for (double x : {-1e300, -3.0, -1.0, 0.25, 7.5, 1e300}) {
    EXPECT_EQ(CallDouble(ZOL_FN_ARC_TANGENT, x), std::atan(x)) << x;
  }
  EXPECT_EQ(CallDouble(ZOL_FN_ARC_TANGENT, INFINITY), std::numbers::pi / 2);
}

TEST(InverseTrig, OutOfDomainAndNanGiveNan) {
  EXPECT_TRUE(std::isnan(CallDouble(ZOL_FN_ARC_SINE, 2.0)));
  EXPECT_TRUE(std::isnan(CallDouble(ZOL_FN_ARC_COSINE, -1.5)));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int32_t fn : {ZOL_FN_ARC_SINE, ZOL_FN_ARC_COSINE, ZOL_FN_ARC_TANGENT}) {
    EXPECT_TRUE(std::isnan(CallDouble(fn, nan))) << fn;
  }
}

TEST(InverseTrig, DoubleResultOverwritesAllEightBytes) {
  HostAreas areas;
  areas.SetResultBits(kJunk);
  areas.SetDouble(0, 0.0);
  ASSERT_EQ(areas.Call(ZOL_FN_ARC_SINE), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultBits(), 0U);
}

TEST(IntegerBitsToFloat, DecodesBinary32) {
  EXPECT_EQ(BitsToFloat(0x3F800000, 0), 1.0);
  EXPECT_EQ(BitsToFloat(0x00003F80, 1), 1.0);
  EXPECT_EQ(BitsToFloat(0xC0000000, 0), -2.0);
  EXPECT_EQ(BitsToFloat(0x3DCCCCCD, 0), static_cast<double>(0.1F));
  EXPECT_EQ(BitsToFloat(0x00000001, 0), std::ldexp(1.0, -149));  // smallest subnormal
  EXPECT_EQ(BitsToFloat(0x7F800000, 0), INFINITY);
  EXPECT_EQ(BitsToFloat(0x0000FF80, -7), -INFINITY);  // any non-zero flag swaps
  EXPECT_TRUE(std::isnan(BitsToFloat(0x7FC00000, 0)));
  EXPECT_TRUE(std::isnan(BitsToFloat(0xFFFFFFFF, 0)));
  const double negZero = BitsToFloat(0x80000000, 0);
  EXPECT_EQ(negZero, 0.0);
  EXPECT_TRUE(std::signbit(negZero));
}

TEST(IntegerBitsToFloat, ReadsOnlyTheFirstFourBytesOfItsSlots) {
  HostAreas areas;
  areas.Fill(0x77);  // bytes 4..7 of slots 0 and 1 hold junk
  areas.SetInteger(0, 0x3F800000);
  areas.SetInteger(1, 0);
  ASSERT_EQ(areas.Call(ZOL_FN_INTEGER_BITS_TO_FLOAT), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultDouble(), 1.0);
}

TEST(FloatToIntegerBits, EncodesBinary32) {
  EXPECT_EQ(FloatToBits(1.0, 0), 0x3F800000U);
  EXPECT_EQ(FloatToBits(1.0, 1), 0x00003F80U);
  EXPECT_EQ(FloatToBits(0.1, 0), 0x3DCCCCCDU);
  EXPECT_EQ(FloatToBits(0.1, 1), 0xCCCD3DCCU);
  EXPECT_EQ(static_cast<int32_t>(FloatToBits(0.1, 1)), -858964532);
  EXPECT_EQ(FloatToBits(-2.0, 0), 0xC0000000U);
  EXPECT_EQ(FloatToBits(-0.0, 0), 0x80000000U);
}

TEST(FloatToIntegerBits, RoundsToNearestEven) {
  // 1 + 2^-24 lies halfway between 1 and the next float: ties go to even (1).
  EXPECT_EQ(FloatToBits(1.0 + std::ldexp(1.0, -24), 0), 0x3F800000U);
  // 1 + 3 * 2^-24 is halfway between odd and even neighbours: up to even.
  EXPECT_EQ(FloatToBits(1.0 + 3 * std::ldexp(1.0, -24), 0), 0x3F800002U);
  // Just above halfway rounds up.
  EXPECT_EQ(FloatToBits(1.0 + std::ldexp(1.0, -24) + std::ldexp(1.0, -40), 0), 0x3F800001U);
}

TEST(FloatToIntegerBits, OverflowBecomesInfinityOfTheSameSign) {
  EXPECT_EQ(FloatToBits(1e39, 0), 0x7F800000U);
  EXPECT_EQ(FloatToBits(-1e39, 0), 0xFF800000U);
  EXPECT_EQ(FloatToBits(static_cast<double>(std::numeric_limits<float>::max()), 0), 0x7F7FFFFFU);
  EXPECT_EQ(FloatToBits(INFINITY, 1), 0x00007F80U);
  const uint32_t nanBits = FloatToBits(std::numeric_limits<double>::quiet_NaN(), 0);
  EXPECT_TRUE(std::isnan(std::bit_cast<float>(nanBits)));
}

TEST(FloatBits, RoundTripEveryExponentBothSwaps) {
  // A spread of finite binary32 patterns (every exponent, assorted mantissas,
  // both signs) and both infinities survive 17 then 18 with the same flag.
  for (uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (uint32_t mantissa : {0U, 1U, 0x2AAAAAU, 0x400000U, 0x7FFFFFU}) {
      for (uint32_t sign : {0U, 0x80000000U}) {
        const uint32_t bits = sign | exponent << 23 | mantissa;
        for (int32_t swap : {0, 1}) {
          const uint32_t given = swap != 0 ? std::rotl(bits, 16) : bits;
          EXPECT_EQ(FloatToBits(BitsToFloat(given, swap), swap), given) << std::hex << bits;
        }
      }
    }
  }
  for (uint32_t bits : {0x7F800000U, 0xFF800000U}) {
    EXPECT_EQ(FloatToBits(BitsToFloat(bits, 0), 0), bits);
  }
}

TEST(FloatBits, SameAsTheProcessorsConversions) {
  // Every exponent, with mantissas near the rounding boundaries; the doubles
  // one unit either side of each widened value round as a cast does. NaNs
  // (the signalling 0x7F800001 among them) come back quiet, as from a cast.
  for (uint32_t exponent = 0; exponent < 256; ++exponent) {
    for (uint32_t mantissa : {0U, 1U, 2U, 0x2AAAAAU, 0x400000U, 0x7FFFFEU, 0x7FFFFFU}) {
      const uint32_t bits = exponent << 23 | mantissa;
      const double widened = static_cast<double>(std::bit_cast<float>(bits));
      EXPECT_EQ(std::bit_cast<uint64_t>(BitsToFloat(bits, 0)), std::bit_cast<uint64_t>(widened))
          << std::hex << bits;
      for (double x : {std::nextafter(widened, -INFINITY), std::nextafter(widened, INFINITY)}) {
        EXPECT_EQ(FloatToBits(x, 0), std::bit_cast<uint32_t>(static_cast<float>(x))) << x;
      }
    }
  }
}

// --- The host's floating-point state. Every operation that computes in
// floating point, on inputs whose result or trap depends on that state, called
// from each state a host may leave: the areas must end byte for byte as from
// the default state, nothing may trap, and the host gets its state back.

struct FpCase {
  std::string name;
  int32_t function;
  uint64_t slot0;                // the 8 bytes of slot 0
  std::vector<double> elements;  // the float array summed by 9 and 10
};

constexpr uint16_t kFpArray = 7;

std::vector<FpCase> FpCases() {
  std::vector<FpCase> cases;
  const double leastSubnormal32 = std::ldexp(1.0, -149);
  for (int32_t fn : {ZOL_FN_ARC_SINE, ZOL_FN_ARC_COSINE, ZOL_FN_ARC_TANGENT}) {
    for (double x : {2.0, 0.5, 0.1, 1e39, std::ldexp(1.0, -1074)}) {
      cases.push_back({"of " + std::to_string(x), fn, std::bit_cast<uint64_t>(x), {}});
    }
  }
  for (double x : {1e39, -1e39, 0.1, 1.0 + std::ldexp(1.0, -24), leastSubnormal32,
                   std::ldexp(1.0, -150), std::bit_cast<double>(0x7FF0000000000001ULL)}) {
    cases.push_back(
        {"of " + std::to_string(x), ZOL_FN_FLOAT_TO_INTEGER_BITS, std::bit_cast<uint64_t>(x), {}});
  }
  for (uint64_t bits : {0x7F800001ULL, 0x00000001ULL, 0x3DCCCCCDULL, 0x807FFFFFULL}) {
    cases.push_back({"of bits " + std::to_string(bits), ZOL_FN_INTEGER_BITS_TO_FLOAT, bits, {}});
  }
  const std::vector<std::vector<double>> arrays = {
      {1.0, std::ldexp(1.0, -60)},
      {1e308, 1e308},
      {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()},
      {1.0, 0.0, 0.0},
      {0.1, 0.2, 0.3},
      {std::ldexp(1.0, -1074), 0.0},
      {std::bit_cast<double>(0x7FF0000000000001ULL), 1.0},  // a signalling NaN
      // Two NaNs: the element's wins, whatever the order of the operands.
      {std::bit_cast<double>(0x7FF0000000000001ULL), std::bit_cast<double>(0xFFF8000000000ABCULL)},
      {1.0, -1.0},                                                 // +0 when rounding to nearest
      {-0.0, -0.0},                                                // +0 too
      {1.0, -std::ldexp(1.0, -80)},                                // rounds back up to 1
      {1.0 + std::ldexp(1.0, -52), std::ldexp(1.0, -53)},          // a tie, to even
      {1.0, std::ldexp(1.0, -53) + std::ldexp(1.0, -80)},          // just above a tie, up
      {std::numeric_limits<double>::max(), std::ldexp(1.0, 970)},  // a tie, to infinity
      {std::ldexp(1.0, -1022), -std::ldexp(1.0, -1074)},           // down to a subnormal
  };
  for (int32_t fn : {ZOL_FN_SUM_ARRAY, ZOL_FN_AVERAGE_ARRAY}) {
    for (const auto& elements : arrays) {
      cases.push_back({"of " + std::to_string(elements.size()) + " elements from " +
                           std::to_string(elements.front()),
                       fn, kFpArray, elements});
    }
  }
  return cases;
}

// Pairs of random bit patterns: exponents far apart and close together, so
// that alignment, cancellation, carries, subnormals and overflow all occur.
std::vector<FpCase> RandomSumCases() {
  // The same pairs every run.
  std::mt19937_64 random(20261210);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  std::vector<FpCase> cases;
  for (int i = 0; i < 3000; ++i) {
    const uint64_t a = random();
    uint64_t b = random();
    if (i % 3 != 0) {  // exponents a few apart, or up to 64 apart
      const uint64_t apart = i % 3 == 1 ? random() % 5 : random() % 129;
      const uint64_t exponent = (a >> 52 & 0x7FF) + apart - (i % 3 == 1 ? 2 : 64);
      b = (b & ~(0x7FFULL << 52)) | (exponent & 0x7FF) << 52;
    }
    cases.push_back({"of random pair " + std::to_string(i),
                     ZOL_FN_SUM_ARRAY,
                     kFpArray,
                     {std::bit_cast<double>(a), std::bit_cast<double>(b)}});
  }
  return cases;
}

struct FpOutcome {
  HostAreas::Snapshot areas;
  zolhost::FpControls set;  // as read back once set, reserved bits included
  zolhost::FpControls after;
  bool trapPending;
};

// Sets up the call in the default state, makes it in `controls`, and goes back
// to the default state before anything else computes.
FpOutcome CallIn(const FpCase& c, zolhost::FpControls controls) {
  const zolhost::FpControls defaults = zolhost::FindFpEnvironment("default")->controls;
  zolhost::SetFpControls(defaults);
  if (!c.elements.empty()) {
    EXPECT_EQ(CreateArray(kFpArray, QOR_TYPE_FLOAT, static_cast<uint16_t>(c.elements.size())), 0);
    for (std::size_t i = 0; i < c.elements.size(); ++i) {
      WriteArrayFloatDataItem(kFpArray, static_cast<uint16_t>(i), c.elements[i]);
    }
  }
  HostAreas areas;
  areas.SetResultBits(kJunk);
  std::memcpy(areas.block(), &c.slot0, 8);
  areas.SetInteger(1, 0);

  zolhost::SetFpControls(controls);
  const zolhost::FpControls set = zolhost::ReadFpControls();
  const int32_t status = areas.Call(c.function);
  FpOutcome outcome{{}, set, zolhost::ReadFpControls(), zolhost::FpTrapPending()};
  zolhost::SetFpControls(defaults);

  EXPECT_EQ(status, ZOL_STATUS_OK);
  outcome.areas = areas.Save();
  return outcome;
}

TEST(HostFloatingPointState, SameBytesNoTrapStateHandedBack) {
  const std::vector<FpCase> cases = FpCases();
  for (const zolhost::FpEnvironment& environment : zolhost::FpEnvironments()) {
    for (const FpCase& c : cases) {
      const std::string where =
          std::string(environment.name) + ": function " + std::to_string(c.function) + " " + c.name;
      const CrashNote note(where.c_str());  // a trap names its row
      const FpOutcome expected = CallIn(c, zolhost::FindFpEnvironment("default")->controls);
      const FpOutcome got = CallIn(c, environment.controls);
      EXPECT_EQ(got.areas, expected.areas) << where;
      EXPECT_EQ(got.after, got.set) << where;
      EXPECT_FALSE(got.trapPending) << where;
    }
  }
}

// A host state other than the default has sums added in integer arithmetic:
// bit for bit what the processor adds in the default state.
TEST(HostFloatingPointState, RandomSumsAsInTheDefaultState) {
  const zolhost::FpControls all = zolhost::FindFpEnvironment("all")->controls;
  for (const FpCase& c : RandomSumCases()) {
    const FpOutcome expected = CallIn(c, zolhost::FindFpEnvironment("default")->controls);
    ASSERT_EQ(CallIn(c, all).areas, expected.areas)
        << c.name << std::hex << ": " << std::bit_cast<uint64_t>(c.elements[0]) << " + "
        << std::bit_cast<uint64_t>(c.elements[1]);
  }
}

}  // namespace
