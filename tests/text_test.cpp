// Substring search, case-blind search and field extraction, called as a host
// calls them. Every area starts filled with junk, and each case checks every
// byte of all three areas afterwards, so a stray write anywhere shows up.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "host_areas.h"

namespace {

constexpr unsigned char kFill = 0xA5;
constexpr uint64_t kFillBits = 0xA5A5A5A5A5A5A5A5ULL;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// Junk-filled areas holding the text, the pattern or delimiter, and slot 0.
HostAreas Prepared(std::u16string_view text, std::u16string_view second, int32_t n) {
  HostAreas areas;
  areas.Fill(kFill);
  areas.SetString(0, text);
  areas.SetString(1, second);
  areas.SetInteger(0, n);
  return areas;
}

// Runs a search and returns its result, having checked that bytes 4..7 of
// ResultValue kept their junk. Bytes 0..3 get their junk back, so the caller
// can then compare whole areas.
int32_t TakeSearchResult(HostAreas& areas, int32_t fn) {
  EXPECT_EQ(areas.Call(fn), ZOL_STATUS_OK);
  EXPECT_EQ(areas.ResultHighBytes(), kFillBits >> 32) << "integer result wrote bytes 4..7";
  const int32_t result = areas.ResultInteger();
  areas.SetResultBits(kFillBits);
  return result;
}

std::u16string Repeat(std::size_t n, char16_t unit) {
  return std::u16string(n, unit);
}

struct SearchCase {
  std::u16string_view text, pattern;
  int32_t start, expected;
};

TEST(FindString, PositionsAndRules) {
  const std::u16string longText = Repeat(252, u'a') + u"abc";  // 255 units
  const SearchCase cases[] = {
      // Positions count from the start of the text, not from the start position.
      {u"abcabc", u"bc", 0, 1},
      {u"abcabc", u"bc", 2, 4},
      {u"abcabc", u"bc", 4, 4},
      {u"abcabc", u"bc", 5, -1},
      {u"abcabc", u"bc", 6, -1},
      {u"abcabc", u"bc", kMax, -1},
      {u"abc", u"abcd", 0, -1},
      {u"", u"a", 0, -1},
      {longText, u"abc", 0, 252},
      // An empty pattern: -1 in a non-empty text, 0 in an empty one, any start.
      {u"x", u"", 0, -1},
      {u"x", u"", 1, -1},
      {u"x", u"", -1, -1},
      {u"", u"", 0, 0},
      {u"", u"", 9, 0},
      {u"", u"", kMin, 0},
      // A partial match must not hide an overlapping real one.
      {u"aaab", u"aab", 0, 1},
      {u"abababc", u"ababc", 0, 2},
      // A negative start searches from the first unit.
      {u"abcabc", u"ab", -1, 0},
      {u"abcabc", u"ca", kMin, 2},
      {u"", u"a", -1, -1},
      // Units compare exactly: case matters, surrogates are plain units.
      {u"Hello", u"LL", 0, -1},
      {u"Hello", u"ll", 0, 2},
      {u"a\U0001F600b",
       u"\xDE00"
       u"b",
       0, 2},
  };
  for (const auto& c : cases) {
    auto areas = Prepared(c.text, c.pattern, c.start);
    const auto before = areas.Save();
    EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), c.expected)
        << "pattern '" << std::string(c.pattern.begin(), c.pattern.end()) << "' start " << c.start;
    EXPECT_TRUE(areas.Save() == before) << "FindString wrote outside ResultValue bytes 0..3";
  }
}

struct NoCaseCase {
  std::u16string_view text, pattern;
  int32_t start, expected;
  std::u16string_view textAfter, patternAfter;
};

TEST(FindStringNoCase, LowerCasesBothSlotsOnlyWhenItSearches) {
  const NoCaseCase cases[] = {
      {u"Hello", u"LL", 0, 2, u"hello", u"ll"},
      // Lower-cased even when nothing is found, and the whole text, not only
      // the part from the start position.
      {u"ABC", u"X", 0, -1, u"abc", u"x"},
      {u"ABCABC", u"bC", 2, 4, u"abcabc", u"bc"},
      {u"xAbC", u"ABC", -5, 1, u"xabc", u"abc"},
      // A negative start takes the search path, even in an empty text.
      {u"", u"A", -1, -1, u"", u"a"},
      // The early returns leave both strings as they were.
      {u"ABC", u"B", 3, -1, u"ABC", u"B"},
      {u"ABC", u"B", kMax, -1, u"ABC", u"B"},
      {u"ABC", u"", 0, -1, u"ABC", u""},
      {u"", u"", 0, 0, u"", u""},
      {u"", u"A", 0, -1, u"", u"A"},
      // Only A-Z change: not their neighbours, not other scripts' letters.
      {u"\u00C4RGER @[`{ \uFF21Z", u"\u00E4", 0, -1, u"\u00C4rger @[`{ \uFF21z", u"\u00E4"},
      {u"\u00C4RGER", u"\u00C4R", 0, 0, u"\u00C4rger", u"\u00C4r"},
  };
  for (const auto& c : cases) {
    auto areas = Prepared(c.text, c.pattern, c.start);
    const auto expected = Prepared(c.textAfter, c.patternAfter, c.start);
    EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING_NO_CASE), c.expected)
        << "start " << c.start;
    EXPECT_EQ(areas.String(0), c.textAfter);
    EXPECT_EQ(areas.String(1), c.patternAfter);
    EXPECT_TRUE(areas.Save() == expected.Save()) << "bytes changed beyond the two texts";
  }
}

TEST(FindStringNoCase, LeavesUnitsAfterTheTerminatorAlone) {
  HostAreas areas;
  areas.SetString(0, u"ABCDEF");
  areas.SetString(0, u"AB");  // the slot now holds A B 0 D E F 0
  areas.SetString(1, u"B");
  HostAreas expected;
  expected.SetString(0, u"abCDEF");
  expected.SetString(0, u"ab");
  expected.SetString(1, u"b");
  expected.SetResultBits(1);
  EXPECT_EQ(areas.Call(ZOL_FN_FIND_STRING_NO_CASE), ZOL_STATUS_OK);
  EXPECT_TRUE(areas.Save() == expected.Save());
}

// Slots filled to their last unit with no terminator: the text is all 256
// units, and nothing past the slot is read or written.
TEST(UnterminatedSlots, SearchesStopAtTheEndOfTheSlot) {
  HostAreas areas;
  areas.Fill(kFill);
  areas.FillStringUnterminated(0, u'a');
  // Reading on into slot 1 would find "aab" across the boundary.
  areas.SetString(1, u"aab");
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), -1);
  areas.SetString(1, u"aa");
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), 0);
  areas.SetInteger(0, 254);
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), 254);
  areas.SetInteger(0, 255);
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), -1);
  areas.SetInteger(0, 256);
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), -1);

  // An unterminated pattern is 256 units: longer than any terminated text.
  areas.SetString(0, Repeat(255, u'a'));
  areas.FillStringUnterminated(1, u'a');
  areas.SetInteger(0, 0);
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), -1);
  areas.FillStringUnterminated(0, u'a');
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), 0);
}

// Every text length, with units whose low byte is zero and units after the
// terminator that a careless zero test would see as part of the text.
TEST(TextLength, EndsAtTheFirstZeroUnitWhateverItsPlace) {
  std::u16string junk;  // further zeros, and units that a borrow from a zero flags
  for (int i = 0; i < ZOL_TEXT_UNITS - 1; ++i) {
    junk.push_back(i % 2 == 0 ? u'\x0001' : u'\0');
  }
  for (std::size_t length = 0; length <= ZOL_TEXT_UNITS; ++length) {
    HostAreas areas;
    areas.Fill(kFill);
    areas.SetString(0, junk);
    const std::u16string text = Repeat(length, u'\x0100');
    if (length < ZOL_TEXT_UNITS) {
      areas.SetString(0, text);
    } else {
      areas.FillStringUnterminated(0, u'\x0100');
    }
    areas.SetString(1, u"\x0001");
    EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), -1) << length;
    areas.SetString(1, u"\x0100");
    areas.SetInteger(0, static_cast<int32_t>(length) - 1);
    EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING), length == 0 ? -1 : int32_t(length) - 1)
        << length;
    areas.SetString(1, u",");
    areas.SetInteger(0, 0);
    ASSERT_EQ(areas.Call(ZOL_FN_GET_STRING_FIELD), ZOL_STATUS_OK);
    EXPECT_EQ(areas.ResultText(), text.substr(0, 255)) << length;
  }
}

TEST(UnterminatedSlots, NoCaseLowerCasesAll256UnitsAndNoMore) {
  HostAreas areas;
  areas.Fill(kFill);
  areas.FillStringUnterminated(0, u'Q');
  areas.FillStringUnterminated(1, u'Q');
  HostAreas expected;
  expected.Fill(kFill);
  expected.FillStringUnterminated(0, u'q');
  expected.FillStringUnterminated(1, u'q');
  EXPECT_EQ(TakeSearchResult(areas, ZOL_FN_FIND_STRING_NO_CASE), 0);
  EXPECT_TRUE(areas.Save() == expected.Save());
}

struct FieldCase {
  std::u16string_view text, delimiter;
  int32_t number;
  std::u16string_view expected;
};

// The areas after GetStringField wrote `field`: the field, its terminator, and
// not one byte more.
HostAreas WithResultText(HostAreas areas, std::u16string_view field) {
  const std::u16string terminated = std::u16string(field) + u'\0';
  std::memcpy(areas.text(), terminated.data(), terminated.size() * 2);
  return areas;
}

TEST(GetStringField, SplitsAtEveryDelimiter) {
  const FieldCase cases[] = {
      {u"a,b,,c", u",", 0, u"a"},
      {u"a,b,,c", u",", 1, u"b"},
      {u"a,b,,c", u",", 2, u""},
      {u"a,b,,c", u",", 3, u"c"},
      {u"a,b,,c", u",", 4, u""},
      {u"abc", u",", 0, u"abc"},
      {u"abc", u",", 1, u""},
      {u",a", u",", 0, u""},
      {u",a", u",", 1, u"a"},
      {u"a,", u",", 1, u""},
      {u"aXbxc", u"x", 1, u"c"},
      // Delimiters of several units, overlapping ones included.
      {u"x--y--z", u"--", 1, u"y"},
      {u"x--y--z", u"--", 2, u"z"},
      {u"a---b", u"--", 0, u"a"},
      {u"a---b", u"--", 1, u"-b"},
      {u"----", u"--", 0, u""},
      {u"----", u"--", 1, u""},
      {u"ab", u"abc", 0, u"ab"},
      // Empty text, empty delimiter, negative and far field numbers.
      {u"", u",", 0, u""},
      {u"a,b", u"", 0, u""},
      {u"a,b", u"", 1, u""},
      {u"a,b", u",", -1, u""},
      {u"a,b", u",", kMin, u""},
      {u"a,b,", u",", 1000000, u""},
      {u"a,b", u"", kMax, u""},
      {u"a,b,", u",", kMax, u""},
  };
  for (const auto& c : cases) {
    auto areas = Prepared(c.text, c.delimiter, c.number);
    const auto expected = WithResultText(areas, c.expected);
    ASSERT_EQ(areas.Call(ZOL_FN_GET_STRING_FIELD), ZOL_STATUS_OK);
    EXPECT_EQ(areas.ResultText(), c.expected) << "field " << c.number;
    EXPECT_TRUE(areas.Save() == expected.Save()) << "field " << c.number << ": stray write";
  }
}

TEST(GetStringField, LongFieldsAndUnterminatedSlots) {
  const std::u16string full = Repeat(255, u'a');
  auto check = [](HostAreas areas, int32_t number, std::u16string_view field) {
    areas.SetInteger(0, number);
    const auto expected = WithResultText(areas, field);
    ASSERT_EQ(areas.Call(ZOL_FN_GET_STRING_FIELD), ZOL_STATUS_OK);
    EXPECT_TRUE(areas.Save() == expected.Save()) << "field " << number;
  };
  check(Prepared(full, u",", 0), 0, full);  // 255 units come back whole

  HostAreas areas = Prepared(u"", u",", 0);
  areas.FillStringUnterminated(0, u'a');
  check(areas, 0, full);  // 256 units cut to 255
  check(areas, 1, u"");

  areas.SetString(0, Repeat(100, u'b') + u"," + Repeat(154, u'a'));
  std::memcpy(areas.block() + ZOL_STRING_SLOT_OFFSET_OF(1) - 2, u",", 2);  // unit 255
  check(areas, 1, Repeat(154, u'a'));
  check(areas, 2, u"");
  check(areas, 3, u"");

  areas.SetString(0, u"a,b");
  areas.FillStringUnterminated(1, u',');  // a 256-unit delimiter never matches
  check(areas, 0, u"a,b");
  check(areas, 1, u"");
}

// The block, ResultValue and ResultText each allocated at exactly their
// documented sizes, so each area's last byte is its allocation's last byte:
// under AddressSanitizer any access past an area is reported. Both slots are
// full to their last unit with no terminator.
TEST(UnterminatedSlots, NoAccessPastTheEndOfTheAreas) {
  const auto block = std::make_unique<unsigned char[]>(ZOL_BLOCK_SIZE);
  const auto value = std::make_unique<unsigned char[]>(ZOL_RESULT_VALUE_SIZE);
  const auto text = std::make_unique<uint16_t[]>(ZOL_RESULT_TEXT_UNITS);
  auto fill = [&](int k, std::u16string_view units) {
    ASSERT_EQ(units.size(), std::size_t{ZOL_TEXT_UNITS});
    std::memcpy(block.get() + ZOL_STRING_SLOT_OFFSET_OF(k), units.data(), units.size() * 2);
  };
  auto call = [&](int32_t fn) {
    EXPECT_EQ(DoZolFunction(fn, block.get(), value.get(), text.get()), ZOL_STATUS_OK);
    int32_t result;
    std::memcpy(&result, value.get(), sizeof result);
    return result;
  };
  const std::u16string upper = Repeat(255, u'A') + u'B';
  fill(0, upper);
  fill(1, upper);
  ZolSetInteger(block.get(), 0, 0);
  EXPECT_EQ(call(ZOL_FN_FIND_STRING), 0);
  EXPECT_EQ(call(ZOL_FN_FIND_STRING_NO_CASE), 0);
  const std::u16string lower = Repeat(255, u'a') + u'b';
  EXPECT_EQ(std::memcmp(block.get() + ZOL_STRING_SLOT_OFFSET_OF(1), lower.data(), 512), 0);

  fill(1, Repeat(ZOL_TEXT_UNITS, u','));
  call(ZOL_FN_GET_STRING_FIELD);
  EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t*>(text.get())),
            std::u16string_view(lower).substr(0, 255));
}

}  // namespace
