// Conversions between the library's 16-bit text and the UTF-8 of POSIX systems.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zol::platform {

// UTF-8 for the zero-terminated 16-bit text `text`. An unpaired surrogate
// becomes U+FFFD.
std::string Utf8FromUtf16(const char16_t* text);

// Writes UTF-8 `text` into `out` as 16-bit units: as many whole characters as
// fit, zero-terminated when there is room. Malformed bytes become U+FFFD.
// Returns the number of units written, without the terminator.
std::size_t Utf16FromUtf8(std::string_view text, std::span<char16_t> out) noexcept;

}  // namespace zol::platform
