// GetSystemErrorText with message texts the test chooses: the final CR LF
// rule, texts at and beyond the 256-unit buffer, and failing system calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "fake_platform.h"
#include "host_areas.h"

namespace {

// ResultText after GetSystemErrorText for code `code`, ResultText having held
// junk before.
std::u16string ErrorText(int32_t code = 2) {
  HostAreas areas;
  areas.Fill(0xEE);
  areas.SetInteger(0, code);
  EXPECT_EQ(areas.Call(ZOL_FN_GET_SYSTEM_ERROR_TEXT), ZOL_STATUS_OK);
  return areas.ResultText();
}

std::u16string TextFor(const std::u16string& message) {
  fake_platform::SetMessage(message);
  return ErrorText();
}

TEST(SystemErrorText, OneFinalCrLfIsRemoved) {
  EXPECT_EQ(TextFor(u"File not found.\r\n"), u"File not found.");
  EXPECT_EQ(TextFor(u"\r\n"), u"");
  EXPECT_EQ(TextFor(u"Two lines.\r\nSecond.\r\n"), u"Two lines.\r\nSecond.");
  EXPECT_EQ(TextFor(u"Twice.\r\n\r\n"), u"Twice.\r\n");
  EXPECT_EQ(TextFor(u"No break"), u"No break");
}

TEST(SystemErrorText, OtherLineEndsAndSpaceStay) {
  EXPECT_EQ(TextFor(u"Line feed only\n"), u"Line feed only\n");
  EXPECT_EQ(TextFor(u"Return only\r"), u"Return only\r");
  EXPECT_EQ(TextFor(u"Reversed\n\r"), u"Reversed\n\r");
  EXPECT_EQ(TextFor(u"\n"), u"\n");
  EXPECT_EQ(TextFor(u"Trailing space \r\n"), u"Trailing space ");
  EXPECT_EQ(TextFor(u"Tab\t"), u"Tab\t");
}

TEST(SystemErrorText, TextPassesThroughUnchanged) {
  EXPECT_EQ(TextFor(u"Zugriff verweigert \u2013 \U0001F600 %1.\r\n"),
            u"Zugriff verweigert \u2013 \U0001F600 %1.");
  EXPECT_EQ(TextFor(u""), u"");
}

TEST(SystemErrorText, FullBufferTextsAreCutTo255Units) {
  const std::u16string fits(255, u'a');
  EXPECT_EQ(TextFor(fits), fits);
  EXPECT_EQ(TextFor(std::u16string(253, u'b') + u"\r\n"), std::u16string(253, u'b'));
  EXPECT_EQ(TextFor(std::u16string(256, u'c')), std::u16string(255, u'c'));
  std::u16string longer(300, u'd');
  longer[10] = u'X';
  EXPECT_EQ(TextFor(longer), longer.substr(0, 255));
  // The cut leaves the text as the buffer holds it; a CR LF at its end goes.
  EXPECT_EQ(TextFor(std::u16string(253, u'e') + u"\r\n" + std::u16string(45, u'e')),
            std::u16string(253, u'e'));
  // A character of two units across the cut is dropped whole.
  EXPECT_EQ(TextFor(std::u16string(254, u'f') + u"\U0001F600" + u"tail"),
            std::u16string(254, u'f'));
}

TEST(SystemErrorText, FailingCallGivesAnEmptyTextWhateverTheBufferHeld) {
  fake_platform::SetMessageFailure(u"partial garbage ");
  EXPECT_EQ(ErrorText(), u"");
  fake_platform::SetMessageFailure(u"\r\n");
  EXPECT_EQ(ErrorText(), u"");
}

TEST(SystemErrorText, CodeIsPassedOnAsUnsigned32Bits) {
  fake_platform::SetMessage(u"x");
  ErrorText(-2147024894);
  EXPECT_EQ(fake_platform::LastMessageCode(), 0x80070002U);
  ErrorText(2);
  EXPECT_EQ(fake_platform::LastMessageCode(), 2U);
}

TEST(SystemErrorText, WritesOnlyTheTextAndItsTerminator) {
  fake_platform::SetMessage(u"abc\r\n");
  HostAreas areas;
  HostAreas expected;
  areas.Fill(0xEE);
  expected.Fill(0xEE);
  areas.SetInteger(0, 5);
  expected.SetInteger(0, 5);
  ASSERT_EQ(areas.Call(ZOL_FN_GET_SYSTEM_ERROR_TEXT), ZOL_STATUS_OK);
  // "abc", the cleared CR LF and the terminator: six units, the rest untouched.
  const char16_t units[6] = {u'a', u'b', u'c', 0, 0, 0};
  std::memcpy(expected.text(), units, sizeof units);
  EXPECT_EQ(areas.Save(), expected.Save());
}

}  // namespace
