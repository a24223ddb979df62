// Text between the user's UTF-8 and the library's 16-bit code units.
//
// The caller areas hold any 16-bit units, valid UTF-16 or not, and zolhost must
// show them all. "\uXXXX" (exactly four hex digits) stands for one unit both in
// what zolhost reads and in what it prints, so a lone surrogate such as \uD800
// survives a round trip instead of being dropped or replaced.
#pragma once

#include <string>
#include <string_view>

namespace zolhost {

// UTF-8 with \uXXXX escapes to 16-bit units. Throws UsageError on bytes that
// are not UTF-8.
std::u16string DecodeText(std::string_view utf8);

// 16-bit units to UTF-8. A unit that is not part of valid UTF-16, a control
// character, and a backslash that would read back as an escape are written as
// \uXXXX, so the result is one printable line that DecodeText turns back into
// the same units.
std::string EncodeText(std::u16string_view units);

}  // namespace zolhost
