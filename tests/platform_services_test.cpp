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
#else
#include <libintl.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Writes a message catalog (GNU .mo) that translates `original` into
// `translation`: a header, the two string tables, the two strings.
void WriteCatalog(const std::filesystem::path& file, const std::string& original,
                  const std::string& translation) {
  std::filesystem::create_directories(file.parent_path());
  const auto size = [](const std::string& s) { return static_cast<uint32_t>(s.size()); };
  constexpr uint32_t kStrings = 44;
  const uint32_t tables[] = {0x950412DE,
                             0,
                             1,
                             28,
                             36,
                             0,
                             0,
                             size(original),
                             kStrings,
                             size(translation),
                             kStrings + size(original) + 1};
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(tables), sizeof tables);
  out.write(original.c_str(), static_cast<std::streamsize>(original.size() + 1));
  out.write(translation.c_str(), static_cast<std::streamsize>(translation.size() + 1));
}

// A translated message, from a catalog of the test's own: characters of two,
// three and four bytes in UTF-8, at the ends of their ranges and beside the
// surrogates, arrive as the same characters in 16-bit units.
TEST(SystemMessages, TranslatedTextsKeepEveryCharacter) {
  const std::string original = "Numerical argument out of domain";
  ASSERT_EQ(SystemErrorText(EDOM), u"Numerical argument out of domain");
  const auto dir =
      std::filesystem::temp_directory_path() / ("zol-text-" + std::to_string(getpid()));
  // U+0080 U+07FF, U+0800 U+D7FF U+E000 U+FFFF, U+10000 U+10FFFF
  WriteCatalog(dir / "xx/LC_MESSAGES/libc.mo", original,
               "\xC2\x80\xDF\xBF \xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF "
               "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
  const std::string libcCatalogs = bindtextdomain("libc", nullptr);
  // No other thread runs here. NOLINTBEGIN(concurrency-mt-unsafe)
  const bool utf8 = setlocale(LC_ALL, "C.UTF-8") != nullptr;
  setenv("LANGUAGE", "xx", 1);
  bindtextdomain("libc", dir.c_str());
  const std::u16string text = SystemErrorText(EDOM);
  bindtextdomain("libc", libcCatalogs.c_str());
  unsetenv("LANGUAGE");
  (void)setlocale(LC_ALL, "C");
  // NOLINTEND(concurrency-mt-unsafe)
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(utf8);
  EXPECT_EQ(text, u"\u0080\u07FF \u0800\uD7FF\uE000\uFFFF \U00010000\U0010FFFF");
}

#endif

}  // namespace
