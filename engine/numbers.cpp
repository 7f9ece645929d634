#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "hex_digits.h"
#include "run_error.h"

namespace sorvanto {
namespace {

// Characters that never count in a number's text, wherever they stand. A plain test
// rather than a search in a set of three: the digest's chunks are read four times a tick.
bool IsIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Exponents beyond this are out of any double's range already; capping keeps the
// decimal-order arithmetic below from overflowing on absurdly long exponents.
constexpr std::int64_t kExponentCap = 1'000'000'000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c) {
  if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  const std::size_t digit = std::string_view(kHexDigits).find(c);
  return digit == std::string_view::npos ? -1 : static_cast<int>(digit);
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// Up to eight hexadecimal digits, taken as the bits of a 32-bit two's-complement value.
// Blanks among them are skipped here already, so that the digests' chunks need neither a
// search for blanks nor a copy without them.
double ReadHex(std::string_view digits) {
  std::uint32_t bits = 0;
  int count = 0;
  for (std::size_t i = 0; i < digits.size() && count < 8; ++i) {
    const int digit = HexDigitValue(digits[i]);
    if (digit >= 0) {
      bits = bits << 4 | static_cast<std::uint32_t>(digit);
      ++count;
    } else if (!IsIgnoredBlank(digits[i])) {
      break;
    }
  }
  return static_cast<std::int32_t>(bits);
}

// Octal digits for as long as the value still fits in 32 bits: the first digit that
// would push a bit past the 32nd ends the reading, so leading zeros are always taken
// and "&O37777777777" is -1 while "&O40000000000" stops after ten digits.
double ReadOctal(std::string_view digits) {
  std::uint32_t bits = 0;
  for (const char c : digits) {
    if (c < '0' || c > '7' || bits > (UINT32_MAX >> 3)) break;
    bits = bits << 3 | static_cast<std::uint32_t>(c - '0');
  }
  return static_cast<std::int32_t>(bits);
}

// Power of ten of the leading non-zero digit of a decimal number. Only used to tell an
// overflow from an underflow, so the digits are never all zero.
std::int64_t DecimalOrder(std::string_view integer, std::string_view fraction,
                          std::int64_t exponent) {
  const auto leading = integer.find_first_not_of('0');
  if (leading != std::string_view::npos) {
    return static_cast<std::int64_t>(integer.size() - 1 - leading) + exponent;
  }
  const auto first = fraction.find_first_not_of('0');
  return exponent - static_cast<std::int64_t>(first) - 1;
}

// The longest start of the text that forms a decimal number: sign, digits, "." and
// digits, exponent.
double ReadDecimal(std::string_view text) {
  std::size_t pos = 0;
  const bool has_sign = !text.empty() && (text[0] == '+' || text[0] == '-');
  const bool negative = has_sign && text[0] == '-';
  if (has_sign) ++pos;

  const std::size_t integer_begin = pos;
  pos = SkipDigits(text, pos);
  const std::string_view integer = text.substr(integer_begin, pos - integer_begin);
  std::string_view fraction;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fraction_begin = pos + 1;
    pos = SkipDigits(text, fraction_begin);
    fraction = text.substr(fraction_begin, pos - fraction_begin);
  }
  if (integer.empty() && fraction.empty()) return 0.0;

  // An exponent marker belongs to the number only when digits follow it.
  std::int64_t exponent = 0;
  bool d_marker = false;
  const std::size_t marker = pos;
  if (pos < text.size() && std::string_view("EeDd").find(text[pos]) != std::string_view::npos) {
    std::size_t digits_begin = pos + 1;
    const bool exponent_negative = digits_begin < text.size() && text[digits_begin] == '-';
    if (digits_begin < text.size() && (text[digits_begin] == '+' || exponent_negative)) {
      ++digits_begin;
    }
    const std::size_t digits_end = SkipDigits(text, digits_begin);
    if (digits_end > digits_begin) {
      for (std::size_t i = digits_begin; i < digits_end; ++i) {
        exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
      }
      if (exponent_negative) exponent = -exponent;
      d_marker = text[marker] == 'D' || text[marker] == 'd';
      pos = digits_end;
    }
  }

  // from_chars takes "-" but not "+", and knows only "E" as the exponent marker.
  const std::size_t number_begin = negative ? 0 : integer_begin;
  std::string_view number = text.substr(number_begin, pos - number_begin);
  std::string with_e_marker;
  if (d_marker) {
    with_e_marker = number;
    with_e_marker[marker - number_begin] = 'e';
    number = with_e_marker;
  }

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (DecimalOrder(integer, fraction, exponent) >= 0) {
      throw RunError(ErrorNumber::kOverflow,
                     "Overflow: the number " + QuoteInput(text.substr(0, pos)) +
                         " is too large to hold as a double-precision value");
    }
    return negative ? -0.0 : 0.0;
  }
  return value;
}

double ReadNumber(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&') {
    if (text[1] == 'H' || text[1] == 'h') return ReadHex(text.substr(2));
    if (text[1] == 'O' || text[1] == 'o') return ReadOctal(text.substr(2));
  }
  return ReadDecimal(text);
}

std::string ShortestText(double value) {
  char buffer[32];
  const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string NumberText(std::int32_t value) {
  // Room for "-2147483648"; the blank for a non-negative value goes in front of the digits.
  char buffer[12];
  char* begin = buffer + 1;
  const auto result = std::to_chars(begin, std::end(buffer), value);
  if (value >= 0) *--begin = ' ';
  return std::string(begin, result.ptr);
}

// Infinities and NaN never come from the program's own arithmetic; they are written as
// " inf", "-inf" and " nan" so that a stray one still shows as readable text.
std::string NumberText(float value) {
  if (std::isnan(value)) return " nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : " inf";

  // The digits go in after one free character, which takes the sign, or replaces the
  // "0" of "0.xxx". Room for "-1.234568e-45".
  char buffer[16];
  char* const end =
      std::to_chars(buffer + 1, std::end(buffer), std::fabs(value), std::chars_format::general, 7)
          .ptr;
  char* const begin = end - buffer > 2 && buffer[1] == '0' ? buffer + 1 : buffer;
  std::replace(begin + 1, end, 'e', 'E');
  // Negative zero is not below zero, so it is written as zero.
  *begin = value < 0 ? '-' : ' ';
  return std::string(begin, end);
}

double NumberValue(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    return ReadHex(text.substr(2));
  }
  const auto is_blank = [](char c) { return IsIgnoredBlank(c); };
  const auto first_blank = std::find_if(text.begin(), text.end(), is_blank);
  if (first_blank == text.end()) return ReadNumber(text);
  std::string packed(text.begin(), first_blank);
  std::remove_copy_if(first_blank + 1, text.end(), std::back_inserter(packed), is_blank);
  return ReadNumber(packed);
}

std::int32_t RoundToInt32(double value) {
  // trunc and the subtraction are exact in every rounding mode, so the result does not
  // depend on the floating-point environment.
  double whole = std::trunc(value);
  const double fraction = std::fabs(value - whole);
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
    whole += std::copysign(1.0, value);
  }
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) {
    throw RunError(ErrorNumber::kOverflow,
                   std::isnan(value) ? std::string("Overflow: not a number cannot be rounded to a "
                                                   "32-bit whole number")
                                     : "Overflow: " + ShortestText(value) +
                                           " rounds outside the 32-bit whole-number range "
                                           "-2147483648 to 2147483647");
  }
  return static_cast<std::int32_t>(whole);
}

}  // namespace sorvanto
