// Every operation, called through areas of exactly their documented size that
// sit against an inaccessible page (after them, then before them), with hostile
// content: no terminators, all-ones units, huge and negative numbers, lone
// surrogates, random bytes. A touch outside an area crashes the test program.
// Every byte an operation may not change is compared before and after the call.
// Broken copies of one operation, each reading one unit outside the block, show
// that the same loop does catch such a read.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "QorDataHost.h"
#include "guarded_memory.h"
#include "operation_outputs.h"
#include "zolutilities.h"

namespace {

using Guard = GuardedArea::Guard;
using Entry = int32_t(ZOL_CALL*)(int32_t, void*, void*, uint16_t*);

struct GuardedAreas {
  GuardedArea block;
  GuardedArea value;
  GuardedArea text;

  explicit GuardedAreas(Guard guard)
      : block(ZOL_BLOCK_SIZE, guard),
        value(ZOL_RESULT_VALUE_SIZE, guard),
        text(kResultTextBytes, guard) {}

  int32_t Call(int32_t fn, Entry entry = DoZolFunction) {
    return entry(fn, block.data(), value.data(), reinterpret_cast<uint16_t*>(text.data()));
  }
  void FillUnits(uint16_t unit) {
    for (GuardedArea* area : {&block, &value, &text}) {
      for (std::size_t at = 0; at < area->size(); at += 2) {
        std::memcpy(area->data() + at, &unit, 2);
      }
    }
  }
  void FillBytes(unsigned char byte) {
    for (GuardedArea* area : {&block, &value, &text}) {
      std::memset(area->data(), byte, area->size());
    }
  }
};

struct Filling {
  const char* name;
  void (*fill)(GuardedAreas&);
};

// Every string slot below is full to its last unit with no terminator, and
// every numeric slot holds the same bytes as the text around it.
const Filling kFillings[] = {
    {"all ones", [](GuardedAreas& a) { a.FillBytes(0xFF); }},  // -1, NaN, array 0xFFFF
    {"capital A units", [](GuardedAreas& a) { a.FillUnits(u'A'); }},
    {"huge positive", [](GuardedAreas& a) { a.FillUnits(0x7FFF); }},  // 0x7FFF7FFF
    {"huge negative", [](GuardedAreas& a) { a.FillUnits(0x8000); }},  // 0x80008000
    {"lone surrogates", [](GuardedAreas& a) { a.FillUnits(0xDBFF); }},
    {"random bytes",
     [](GuardedAreas& a) {
       // The same bytes every run, so that a failure can be reproduced.
       std::mt19937 random(12345);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
       for (GuardedArea* area : {&a.block, &a.value, &a.text}) {
         for (std::size_t at = 0; at < area->size(); ++at) {
           area->data()[at] = static_cast<unsigned char>(random() | 1);  // no zero byte
         }
       }
     }},
    // Numbers 0 (start, field, array 0 with its own count), a full text of 'A'
    // and a full pattern that differs from it only in its last unit: the
    // searches and the field scan run to the last unit of both slots.
    {"near miss",
     [](GuardedAreas& a) {
       a.FillUnits(u'A');
       std::memset(a.block.data(), 0, ZOL_NUMERIC_AREA_SIZE);
       const uint16_t last = u'a';
       std::memcpy(a.block.data() + ZOL_BLOCK_SIZE - 2, &last, 2);
     }},
};

// Slots that count loop rounds are capped at 70,000, so a call stays quick;
// that still runs the 16-bit element index through its wrap.
void BoundLoopCounts(unsigned char* block, int32_t fn) {
  int slot = -1;
  if (fn == ZOL_FN_SUM_ARRAY || fn == ZOL_FN_AVERAGE_ARRAY)
    slot = 1;
  if (fn == ZOL_FN_WRITE_INTEGER_BYTES)
    slot = 3;
  if (fn == ZOL_FN_READ_INTEGER_BYTES)
    slot = 2;
  if (slot >= 0 && ZolGetInteger(block, slot) > 70000) {
    ZolSetInteger(block, slot, 70000);
  }
}

void ExpectOnlyOutputsChanged(int32_t fn, CallerArea which,
                              const std::vector<unsigned char>& before, const GuardedArea& area) {
  const std::size_t at = FirstForbiddenChange(fn, which, before.data(), area.data(), area.size());
  const char* names[] = {"block", "ResultValue", "ResultText"};
  EXPECT_EQ(at, area.size()) << names[static_cast<int>(which)] << " changed at byte " << at;
}

std::vector<unsigned char> Copy(const GuardedArea& area) {
  return {area.data(), area.data() + area.size()};
}

class GuardPages : public ::testing::TestWithParam<Guard> {
 protected:
  // Arrays for the array numbers the fillings hold (their low 16 bits), one of
  // them of doubles; the random filling names an array that does not exist.
  static void SetUpTestSuite() {
    constexpr uint16_t kNumbers[] = {0x0000, 0xFFFF, 0x0041, 0x7FFF, 0x8000, 0xDBFF};
    for (const uint16_t number : kNumbers) {
      CreateArray(number, static_cast<uint8_t>(number == 0x7FFF ? QOR_TYPE_FLOAT : 3), 300);
    }
  }
};

// Calls every function number with every filling through `entry`, checking
// status and every byte the call may not change; the guard pages do the rest.
void CallEveryOperation(Guard guard, Entry entry) {
  GuardedAreas areas(guard);
  for (const Filling& filling : kFillings) {
    for (int32_t fn = 0; fn <= ZOL_LAST_FUNCTION + 1; ++fn) {
      SCOPED_TRACE(std::string(filling.name) + ", function " + std::to_string(fn));
      const CrashNote note(filling.name, fn, guard == Guard::After ? "after" : "before");
      filling.fill(areas);
      BoundLoopCounts(areas.block.data(), fn);
      const auto block = Copy(areas.block);
      const auto value = Copy(areas.value);
      const auto text = Copy(areas.text);

      const bool known = fn >= ZOL_FIRST_FUNCTION && fn <= ZOL_LAST_FUNCTION;
      EXPECT_EQ(areas.Call(fn, entry), known ? ZOL_STATUS_OK : ZOL_STATUS_UNKNOWN_FUNCTION);

      ExpectOnlyOutputsChanged(fn, CallerArea::Block, block, areas.block);
      ExpectOnlyOutputsChanged(fn, CallerArea::Value, value, areas.value);
      ExpectOnlyOutputsChanged(fn, CallerArea::Text, text, areas.text);
    }
  }
  areas.Call(ZOL_FN_STOP_SOUND);
}

TEST_P(GuardPages, EveryOperationStaysInsideItsAreas) {
  CallEveryOperation(GetParam(), DoZolFunction);
}

// The text results end inside ResultText even when the inputs fill their slots:
// a field of 256 units comes back as 255 and a terminator in the last unit.
TEST_P(GuardPages, TextResultsEndInsideResultText) {
  GuardedAreas areas(GetParam());
  areas.FillUnits(u'x');
  std::memset(areas.block.data(), 0, ZOL_NUMERIC_AREA_SIZE);  // field 0
  for (std::size_t at = ZOL_STRING_SLOT_OFFSET_OF(1); at < ZOL_BLOCK_SIZE; at += 2) {
    const uint16_t unit = u'y';  // a delimiter that never occurs
    std::memcpy(areas.block.data() + at, &unit, 2);
  }
  ASSERT_EQ(areas.Call(ZOL_FN_GET_STRING_FIELD), ZOL_STATUS_OK);
  const std::u16string expected = std::u16string(255, u'x') + u'\0';
  EXPECT_EQ(std::memcmp(areas.text.data(), expected.data(), kResultTextBytes), 0);

  areas.FillUnits(u'x');
  ZolSetInteger(areas.block.data(), 0, 2);  // a code every platform has a text for
  ASSERT_EQ(areas.Call(ZOL_FN_GET_SYSTEM_ERROR_TEXT), ZOL_STATUS_OK);
  bool terminated = false;
  for (std::size_t at = 0; at < kResultTextBytes && !terminated; at += 2) {
    terminated = areas.text.data()[at] == 0 && areas.text.data()[at + 1] == 0;
  }
  EXPECT_TRUE(terminated);
  EXPECT_NE(areas.text.data()[0] | areas.text.data()[1], 0) << "empty message for code 2";
}

std::string SideName(const ::testing::TestParamInfo<Guard>& side) {
  return side.param == Guard::After ? "GuardAfter" : "GuardBefore";
}

INSTANTIATE_TEST_SUITE_P(BothSides, GuardPages, ::testing::Values(Guard::After, Guard::Before),
                         SideName);

// Reads `n` bytes from `from` in a way the compiler has to keep.
void ReadBytes(const unsigned char* from, std::size_t n) {
  const volatile unsigned char* at = from;
  for (std::size_t i = 0; i < n; ++i) {
    static_cast<void>(at[i]);
  }
}

// Broken copies of FindString: one reads the unit just past string slot 1 (the
// last unit of the block) as it copies the slot, the other the unit just before
// the block as it reads NumericSlot 0. Each is what an off-by-one bound in the
// text copy or the slot addressing would do; the suite above must not pass them.
int32_t ZOL_CALL FindStringReadingPastSlot(int32_t fn, void* block, void* value, uint16_t* text) {
  if (fn == ZOL_FN_FIND_STRING) {
    ReadBytes(static_cast<unsigned char*>(block) + ZOL_STRING_SLOT_OFFSET_OF(1),
              std::size_t{2} * (ZOL_TEXT_UNITS + 1));
  }
  return DoZolFunction(fn, block, value, text);
}

int32_t ZOL_CALL FindStringReadingBeforeBlock(int32_t fn, void* block, void* value,
                                              uint16_t* text) {
  if (fn == ZOL_FN_FIND_STRING) {
    ReadBytes(static_cast<unsigned char*>(block) - 2, ZOL_SLOT_SIZE + 2);
  }
  return DoZolFunction(fn, block, value, text);
}

// Each broken copy must crash the suite's own loop (run in a child process).
TEST(GuardPagesSelfCheck, CatchesAReadOneUnitOutsideTheBlock) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // the sound thread may be running
  const std::string call =
      "touched a guard page: all ones, function " + std::to_string(ZOL_FN_FIND_STRING) + ", guard ";
  EXPECT_DEATH(CallEveryOperation(Guard::After, FindStringReadingPastSlot), call + "after");
  EXPECT_DEATH(CallEveryOperation(Guard::Before, FindStringReadingBeforeBlock), call + "before");
}

}  // namespace
