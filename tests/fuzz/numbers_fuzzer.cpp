// The conversions on arbitrary input: NumberValue gives what an independent reading of the
// text gives, and raises nothing but kOverflow, only for a decimal number beyond a double;
// NumberText of any finite float or 32-bit integer reads back.
#include <algorithm>
#include <bit>
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
#include <system_error>

#include "numbers.h"
#include "run_error.h"

namespace sorvanto {
namespace {

// The input that failed is in libFuzzer's crash file; this says what went wrong with it.
[[noreturn]] void Fail(std::string_view text, const char* what, double value) {
  std::fprintf(stderr, "\"%.*s\": %s %.17g\n", static_cast<int>(text.size()), text.data(), what,
               value);
  std::abort();
}

// What the text should read as, worked out independently: the blanks taken out, then
// "&H" or "&O" digits as 32-bit patterns, or the longest decimal start handed to the C
// library's strtod. Nothing for a value beyond a double.
std::optional<double> ExpectedValue(std::string_view text) {
  std::string s;
  std::copy_if(text.begin(), text.end(), std::back_inserter(s),
               [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
  if (s.size() >= 2 && s[0] == '&' && std::string_view("HhOo").find(s[1]) != std::string::npos) {
    const bool hex = s[1] == 'H' || s[1] == 'h';
    std::uint64_t bits = 0;
    for (std::size_t i = 2; i < s.size() && (!hex || i < 10); ++i) {
      int digit = 0;
      if (std::from_chars(&s[i], &s[i] + 1, digit, hex ? 16 : 8).ec != std::errc()) break;
      const std::uint64_t next = bits << (hex ? 4 : 3) | static_cast<std::uint64_t>(digit);
      if (next > UINT32_MAX) break;
      bits = next;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  }
  const auto digits = [&s](std::size_t pos) {
    return std::min(s.find_first_not_of("0123456789", pos), s.size());
  };
  const std::size_t begin = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
  const std::size_t integer_end = digits(begin);
  const bool point = integer_end < s.size() && s[integer_end] == '.';
  std::size_t end = point ? digits(integer_end + 1) : integer_end;
  if (end == begin + (point ? 1 : 0)) return 0.0;
  if (end < s.size() && std::string_view("EeDd").find(s[end]) != std::string::npos) {
    const std::size_t exponent =
        end + 1 + (end + 1 < s.size() && (s[end + 1] == '+' || s[end + 1] == '-'));
    if (digits(exponent) > exponent) {
      s[end] = 'e';
      end = digits(exponent);
    }
  }
  errno = 0;
  const double value = std::strtod(s.substr(0, end).c_str(), nullptr);
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  return value;
}

void CheckNumberValue(std::string_view text) {
  const std::optional<double> expected = ExpectedValue(text);
  double value = 0;
  try {
    value = NumberValue(text);
  } catch (const RunError& error) {
    if (error.Number() != ErrorNumber::kOverflow) Fail(text, error.what(), 0);
    if (expected) Fail(text, "raised an overflow for", *expected);
    return;
  }
  if (!expected) Fail(text, "did not raise an overflow but read", value);
  // Below the normal range a double may come back as the nearest subnormal or as zero.
  if (value != *expected && !(std::fabs(*expected) < DBL_MIN && value == 0)) {
    Fail(text, "read another value than", *expected);
  }
}

// NumberText reads back through NumberValue within the rounding to seven digits, and,
// read straight into a float, as the float its correctly rounded seven digits name, which
// is the float itself when seven digits are enough. Through the double first, the float
// would be rounded twice: 0x1.5c87fap-84 would come back as its neighbour.
void CheckFloatText(float value) {
  if (!std::isfinite(value)) return;
  const std::string text = NumberText(value);
  if (std::fabs(NumberValue(text) - value) > 5e-7 * std::fabs(value)) {
    Fail(text, "reads back too far from", value);
  }
  char seven[32];
  const char* end =
      std::to_chars(std::begin(seven), std::end(seven), value, std::chars_format::scientific, 6)
          .ptr;
  float expected = 0;
  float read = 0;
  std::from_chars(seven, end, expected);
  std::from_chars(text.data() + (text[0] == ' ' ? 1 : 0), text.data() + text.size(), read);
  if (read != expected) Fail(text, "reads back as another float than", value);
}

}  // namespace
}  // namespace sorvanto

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvanto::CheckNumberValue({reinterpret_cast<const char*>(data), size});
  if (size >= 4) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, data, 4);
    sorvanto::CheckFloatText(std::bit_cast<float>(bits));
    const std::string text = sorvanto::NumberText(static_cast<std::int32_t>(bits));
    if (sorvanto::NumberValue(text) != static_cast<std::int32_t>(bits)) {
      sorvanto::Fail(text, "does not read back as", static_cast<std::int32_t>(bits));
    }
  }
  return 0;
}
