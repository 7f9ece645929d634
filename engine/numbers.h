// The engine's conversions between numbers and text. They never depend on the
// process locale: the decimal mark is always ".", whatever LC_NUMERIC says.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sorvanto {

// A blank before numbers that are not negative, "-" before negative ones.
// Integers are plain decimal digits: 7 -> " 7", -15 -> "-15".
std::string NumberText(std::int32_t value);

// At most seven significant digits, rounded, as C's "%.7G" writes them, then without
// the "0" before a leading ".": 0.375 -> " .375", 12345678 -> " 1.234568E+07",
// -0.25 -> "-.25". Negative zero is written as zero.
std::string NumberText(float value);

// The number at the start of a text. Blanks, tabs and line feeds are removed first.
// "&H" and "&O" (any case) read hexadecimal (up to eight digits) or octal digits as a
// 32-bit two's-complement value, so "&HFFFFFFFE" is -2 and "&H0000FFFF" is 65535.
// Otherwise the longest leading decimal number counts (sign, digits, ".", exponent
// with "E" or "D"); a text without one reads as 0. A decimal value beyond the range of
// a double raises RunError kOverflow.
double NumberValue(std::string_view text);

// Rounds to the nearest whole number, ties to even; outside the signed 32-bit range
// (or not a number) raises RunError kOverflow.
std::int32_t RoundToInt32(double value);

}  // namespace sorvanto
