// Numbers typed by the user, checked against the slot they go into.
//
// `what` names the input in error messages (for example "--start").
#pragma once

#include <cstdint>
#include <string_view>

namespace zolhost {

// Decimal or 0x-hexadecimal, optionally signed, up to `high`.
int64_t ParseIntegerInRange(std::string_view text, std::string_view what, int64_t low,
                            int64_t high);

// An integer slot holds 32 bits: -2147483648 to 4294967295, where values above
// 2147483647 are taken as their unsigned bit pattern (0xC0000000, 0xFFFFFFFF).
int32_t ParseInteger(std::string_view text, std::string_view what);

// A double slot: any decimal floating-point text, "nan", "inf" or "-inf".
double ParseDouble(std::string_view text, std::string_view what);

// An array number: the 16-bit value 0 to 65535.
uint16_t ParseArrayNumber(std::string_view text, std::string_view what);

// A byte-order flag: "lsb" (0), "msb" (1), or any integer.
int32_t ParseByteOrder(std::string_view text, std::string_view what);

}  // namespace zolhost
