// The timing and message operations on the real platform, through the library:
// the tick counter against the test's own clock, and the system's own texts.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "host_areas.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;
using Units = std::chrono::duration<int64_t, std::ratio<1, 10'000'000>>;  // 100 ns

// The two clocks may tick differently by a rounding step; a millisecond covers it.
constexpr int64_t kClockSlack = 10'000;

int64_t UnitsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration_cast<Units>(to - from).count();
}

// A StartTimer, a pause, then ReadElapsedTime with `offset`: the result lies
// between the times the test measured inside and around the two calls, less
// the offset. Only such bounds hold on a loaded machine.
void CheckElapsed(int32_t offset) {
  HostAreas areas;
  const auto outerStart = Clock::now();
  ASSERT_EQ(areas.Call(ZOL_FN_START_TIMER), ZOL_STATUS_OK);
  const auto innerStart = Clock::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  areas.SetInteger(2, offset);
  const auto innerEnd = Clock::now();
  ASSERT_EQ(areas.Call(ZOL_FN_READ_ELAPSED_TIME), ZOL_STATUS_OK);
  const auto outerEnd = Clock::now();
  const int64_t elapsed = int64_t{areas.ResultInteger()} + offset;
  EXPECT_GE(elapsed, UnitsBetween(innerStart, innerEnd) - kClockSlack);
  EXPECT_LE(elapsed, UnitsBetween(outerStart, outerEnd) + kClockSlack);
}

TEST(RealClock, ElapsedTimeLiesWithinTheTestsOwnMeasurements) {
  CheckElapsed(0);
}

TEST(RealClock, OffsetIsSubtracted) {
  CheckElapsed(10'000'000);  // one second: the result is negative
  CheckElapsed(-45);
}

TEST(RealClock, TimestampsFollowTheClockForward) {
  HostAreas first;
  HostAreas second;
  ASSERT_EQ(first.Call(ZOL_FN_START_TIMER), ZOL_STATUS_OK);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(second.Call(ZOL_FN_START_TIMER), ZOL_STATUS_OK);
  const auto stamp = [](HostAreas& a) {
    return static_cast<int64_t>(static_cast<uint64_t>(static_cast<uint32_t>(a.SlotInteger(1)))
                                    << 32 |
                                static_cast<uint32_t>(a.SlotInteger(0)));
  };
  EXPECT_GT(stamp(second), stamp(first));
}

std::u16string SystemErrorText(int32_t code) {
  HostAreas areas;
  areas.Fill(0xEE);
  areas.SetInteger(0, code);
  EXPECT_EQ(areas.Call(ZOL_FN_GET_SYSTEM_ERROR_TEXT), ZOL_STATUS_OK);
  std::u16string text = areas.ResultText();
  EXPECT_LT(text.size(), 256U) << "no terminator within ResultText";
  return text;
}

#if defined(_WIN32)

// The system's own text for `code`, straight from FormatMessageW, or none.
std::u16string FormatMessageText(DWORD code) {
  wchar_t buffer[1024];
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, 1024, nullptr);
  return std::u16string(buffer, buffer + length);
}

TEST(SystemMessages, AreTheSystemsOwnTextsWithoutTheirFinalLineBreak) {
  for (DWORD code : {2UL, 5UL, 87UL}) {
    const std::u16string system = FormatMessageText(code);
    ASSERT_GE(system.size(), 2U) << code;
    ASSERT_EQ(system.substr(system.size() - 2), u"\r\n") << code;
    const std::u16string text = SystemErrorText(static_cast<int32_t>(code));
    EXPECT_EQ(text, system.substr(0, system.size() - 2)) << code;
    EXPECT_FALSE(text.empty());
  }
}

TEST(SystemMessages, InsertsAppearUnchanged) {
  // The first system message with an insert sequence such as %1.
  DWORD code = 0;
  while (code < 16'000 && FormatMessageText(code).find(u'%') == std::u16string::npos) {
    ++code;
  }
  ASSERT_LT(code, 16'000UL) << "no system message with inserts";
  const std::u16string system = FormatMessageText(code);
  EXPECT_EQ(SystemErrorText(static_cast<int32_t>(code)), system.substr(0, system.size() - 2))
      << code;
}

TEST(SystemMessages, CodeWithoutAMessageGivesAnEmptyText) {
  ASSERT_TRUE(FormatMessageText(0x2000FFFF).empty());
  EXPECT_EQ(SystemErrorText(0x2000FFFF), u"");
}

#else

TEST(SystemMessages, AreTheCLibrarysTexts) {
  EXPECT_EQ(SystemErrorText(2), u"No such file or directory");
  EXPECT_EQ(SystemErrorText(13), u"Permission denied");
}

// The C library names a code it has no text for; the code is read as a signed
// integer, as errno values are.
TEST(SystemMessages, CodeWithoutAMessageGivesTheCLibrarysUnknownErrorText) {
  EXPECT_EQ(SystemErrorText(123456), u"Unknown error 123456");
  EXPECT_EQ(SystemErrorText(-1), u"Unknown error -1");
}

#endif

}  // namespace
