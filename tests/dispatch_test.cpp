// The entry point: which numbers it accepts, and that a rejected number touches
// nothing in any of the three areas.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "host_areas.h"

#if defined(ZOL_TRACE_SHIM_PATH)
#include <dlfcn.h>

#include <cstdlib>
#include <memory>
#endif

namespace {

class UnknownFunction : public ::testing::TestWithParam<int32_t> {};

TEST_P(UnknownFunction, ReturnsThreeAndChangesNoByte) {
  for (int fill : {0x00, 0xA5, 0xFF}) {
    HostAreas areas;
    areas.Fill(static_cast<unsigned char>(fill));
    const auto before = areas.Save();
    EXPECT_EQ(areas.Call(GetParam()), ZOL_STATUS_UNKNOWN_FUNCTION);
    EXPECT_EQ(areas.Save(), before) << "fill " << fill;
  }
}

INSTANTIATE_TEST_SUITE_P(OutsideOneToEighteen, UnknownFunction,
                         ::testing::Values(0, 19, 20, -1, -17, 100,
                                           std::numeric_limits<int32_t>::max(),
                                           std::numeric_limits<int32_t>::min()));

TEST(Dispatch, FirstAndLastNumbersAreHandled) {
  HostAreas areas;
  EXPECT_EQ(areas.Call(ZOL_FN_START_TIMER), ZOL_STATUS_OK);
  areas.SetDouble(0, 1.0);
  areas.SetInteger(1, 0);  // StartTimer left the counter's high half here
  EXPECT_EQ(areas.Call(ZOL_FN_FLOAT_TO_INTEGER_BITS), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultInteger(), 0x3F800000);
}

TEST(Dispatch, FunctionNumbersMatchTheirOperations) {
  EXPECT_EQ(ZOL_FN_START_TIMER, 1);
  EXPECT_EQ(ZOL_FN_ARC_SINE, 3);
  EXPECT_EQ(ZOL_FN_PLAY_SOUND_FILE, 6);
  EXPECT_EQ(ZOL_FN_GET_ARRAY_SIZE, 8);
  EXPECT_EQ(ZOL_FN_GET_SYSTEM_ERROR_TEXT, 13);
  EXPECT_EQ(ZOL_FN_GET_STRING_FIELD, 16);
  EXPECT_EQ(ZOL_FN_FLOAT_TO_INTEGER_BITS, 18);
}

TEST(Layout, StringSlotHolds255UnitsAndTerminatorInItsBytes) {
  HostAreas areas;
  areas.Fill(0xEE);
  const std::u16string text(255, u'x');
  areas.SetString(0, text);
  EXPECT_EQ(areas.String(0), text);
  // The terminator is the slot's last two bytes; StringSlot 1 starts right after.
  const unsigned char* slot1 = areas.block() + ZOL_STRING_SLOT_OFFSET_OF(1);
  EXPECT_EQ(slot1[-1], 0);
  EXPECT_EQ(slot1[-2], 0);
  EXPECT_EQ(slot1[0], 0xEE);
}

#if defined(ZOL_TRACE_SHIM_PATH)
// A host that has the library loaded already (this test links it) and then
// loads the tracing shim in front of it: the shim forwards to the library it is
// pointed at rather than taking it for itself.
TEST(Dispatch, TracingShimLoadedBesideTheLibraryForwards) {
  setenv("ZOLTRACE_LIBRARY", ZOL_LIBRARY_PATH, 1);  // NOLINT(concurrency-mt-unsafe)
  setenv("ZOLTRACE_FILE", ZOL_TRACE_FILE, 1);       // NOLINT(concurrency-mt-unsafe)
  const std::unique_ptr<void, int (*)(void*)> shim(
      dlopen(ZOL_TRACE_SHIM_PATH, RTLD_NOW | RTLD_LOCAL), &dlclose);
  ASSERT_NE(shim, nullptr) << dlerror();  // NOLINT(concurrency-mt-unsafe)
  const auto traced = reinterpret_cast<ZolFunctionPointer>(dlsym(shim.get(), "DoZolFunction"));
  ASSERT_NE(traced, nullptr);

  HostAreas direct;
  HostAreas throughShim;
  direct.SetDouble(0, 0.5);
  throughShim.SetDouble(0, 0.5);
  EXPECT_EQ(direct.Call(ZOL_FN_ARC_SINE), ZOL_STATUS_OK);
  EXPECT_EQ(traced(ZOL_FN_ARC_SINE, throughShim.block(), throughShim.value(), throughShim.text()),
            ZOL_STATUS_OK);
  EXPECT_EQ(throughShim.Save(), direct.Save());
}
#endif

}  // namespace
