// The conversions on arbitrary input: NumberValue raises nothing but kOverflow, and that
// only for decimal text; NumberText of any 32-bit integer reads back exactly, and of any
// finite float within its rounding to seven digits.
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "numbers.h"
#include "run_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvanto;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    NumberValue(text);
  } catch (const RunError& error) {
    if (error.Number() != ErrorNumber::kOverflow || text[text.find_first_not_of(" \t\n")] == '&')
      std::abort();
  }
  std::int32_t bits = 0;
  std::memcpy(&bits, data, std::min<std::size_t>(size, 4));
  const float value = std::bit_cast<float>(bits);
  if (NumberValue(NumberText(bits)) != bits ||
      (std::isfinite(value) &&
       !(std::fabs(NumberValue(NumberText(value)) - value) <= 5e-7 * std::fabs(value))))
    std::abort();
  return 0;
}
