// A host may run with the x87 unit set to 64-bit precision. The DLL's double
// sums must not notice: it does its arithmetic in SSE2, rounding every step.
#include <float.h>

#include <gtest/gtest.h>

#include <cmath>

#include "host_areas.h"
#include "store_calls.h"

namespace {

class HostX87Precision : public RecordingStoreTest {
 protected:
  void SetUp() override {
    RecordingStoreTest::SetUp();
    ASSERT_EQ(_controlfp_s(&saved_, 0, 0), 0);
    unsigned int now = 0;
    ASSERT_EQ(_controlfp_s(&now, _PC_64, _MCW_PC), 0);
    ASSERT_EQ(now & _MCW_PC, static_cast<unsigned int>(_PC_64));
  }
  void TearDown() override {
    unsigned int now = 0;
    _controlfp_s(&now, saved_ & _MCW_PC, _MCW_PC);
    RecordingStoreTest::TearDown();
  }
  unsigned int saved_ = 0;
};

TEST_F(HostX87Precision, DoubleSumStillRoundsEveryStep) {
  const double tiny = std::ldexp(1.0, -53);
  Script(4, ZOL_ARRAY_TYPE_FLOAT, {1.0, tiny, tiny});
  HostAreas areas;
  areas.SetInteger(0, 4);
  areas.SetInteger(1, 0);
  ASSERT_EQ(areas.Call(ZOL_FN_SUM_ARRAY), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultDouble(), 1.0);
  ASSERT_EQ(areas.Call(ZOL_FN_AVERAGE_ARRAY), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultDouble(), 1.0 / 3.0);
}

}  // namespace
