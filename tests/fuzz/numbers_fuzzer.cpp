// The conversions on arbitrary input. NumberValue of any text gives the number the text
// starts with, or RunError kOverflow for a decimal number beyond a double, and nothing
// else; NumberText of any finite float reads back within its rounding to seven
// significant digits, and exactly when seven digits are enough to name the float;
// NumberText of any 32-bit integer reads back exactly.
#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "numbers.h"
#include "run_error.h"

namespace sorvanto {
namespace {

[[noreturn]] void Fail(std::string_view text, const std::string& what) {
  std::string shown;
  for (const char c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, c >= 32 && c < 127 ? "%c" : "\\x%02X",
                  static_cast<unsigned char>(c));
    shown += escaped;
  }
  std::fprintf(stderr, "\"%s\": %s\n", shown.c_str(), what.c_str());
  std::abort();
}

std::string Shown(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// What the text should read as, worked out independently: the blanks taken out, then
// "&H" or "&O" digits as 32-bit patterns, or the longest decimal start handed to the C
// library's strtod. Nothing for a value beyond a double.
std::optional<double> ExpectedValue(std::string_view text) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  std::string s;
  std::copy_if(text.begin(), text.end(), std::back_inserter(s),
               [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
    std::uint32_t bits = 0;
    for (std::size_t i = 2; i < s.size() && i < 10; ++i) {
      const auto digit =
          kHexDigits.find(static_cast<char>(std::toupper(static_cast<unsigned char>(s[i]))));
      if (digit == std::string_view::npos) break;
      bits = bits << 4 | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(bits);
  }
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'O' || s[1] == 'o')) {
    std::uint64_t bits = 0;
    for (std::size_t i = 2; i < s.size() && s[i] >= '0' && s[i] <= '7'; ++i) {
      const std::uint64_t next = bits << 3 | static_cast<std::uint64_t>(s[i] - '0');
      if (next > UINT32_MAX) break;
      bits = next;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  }

  const auto digits = [&](std::size_t pos) {
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
    return pos;
  };
  std::size_t end = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  const std::size_t integer_end = digits(end);
  bool any_digit = integer_end > end;
  end = integer_end;
  if (end < s.size() && s[end] == '.') {
    const std::size_t fraction_end = digits(end + 1);
    any_digit = any_digit || fraction_end > end + 1;
    end = fraction_end;
  }
  if (!any_digit) return 0.0;
  if (end < s.size() && (s[end] == 'E' || s[end] == 'e' || s[end] == 'D' || s[end] == 'd')) {
    std::size_t exponent = end + 1;
    if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-')) ++exponent;
    const std::size_t exponent_end = digits(exponent);
    if (exponent_end > exponent) {
      s[end] = 'e';
      end = exponent_end;
    }
  }
  const std::string number = s.substr(0, end);
  errno = 0;
  const double value = std::strtod(number.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  return value;
}

void CheckNumberValue(std::string_view text) {
  const std::optional<double> expected = ExpectedValue(text);
  double value = 0;
  try {
    value = NumberValue(text);
  } catch (const RunError& error) {
    if (error.Number() != ErrorNumber::kOverflow) Fail(text, std::string("raised ") + error.what());
    if (expected) Fail(text, "raised an overflow for " + Shown(*expected));
    return;
  }
  if (!expected) Fail(text, "read " + Shown(value) + " instead of raising an overflow");
  // Below the normal range a double may come back as the nearest subnormal or as zero.
  const bool same = value == *expected || (std::fabs(*expected) < DBL_MIN && value == 0);
  if (!same) Fail(text, "read " + Shown(value) + ", expected " + Shown(*expected));
}

int SignificantDigits(float value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  std::string digits;
  for (const char* p = buffer; p != end && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits += *p;
  }
  const auto first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 1;
  return static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

void CheckFloatText(float value) {
  if (!std::isfinite(value)) return;
  const std::string text = NumberText(value);
  const double read = NumberValue(text);
  if (std::fabs(read - value) > 5e-7 * std::fabs(value)) {
    Fail(text, "reads back as " + Shown(read) + ", written from " + Shown(value));
  }
  if (SignificantDigits(value) <= 7 && static_cast<float>(read) != value) {
    Fail(text, "reads back as another float than " + Shown(value));
  }
}

void CheckIntegerText(std::int32_t value) {
  const std::string text = NumberText(value);
  if (NumberValue(text) != value) Fail(text, "does not read back as " + std::to_string(value));
}

}  // namespace
}  // namespace sorvanto

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvanto::CheckNumberValue({reinterpret_cast<const char*>(data), size});
  if (size >= 4) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, data, 4);
    sorvanto::CheckFloatText(std::bit_cast<float>(bits));
    sorvanto::CheckIntegerText(static_cast<std::int32_t>(bits));
  }
  return 0;
}
