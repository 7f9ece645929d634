#include "numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <locale>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "run_error.h"

namespace sorvanto {
namespace {

using Float = std::numeric_limits<float>;
using Double = std::numeric_limits<double>;
using FloatTexts = std::span<const std::pair<float, std::string_view>>;
using Values = std::span<const std::pair<std::string_view, double>>;
using Roundings = std::span<const std::pair<double, std::int32_t>>;

// Integers in a sign column; floats with the switch to the exponent form at 1E-05 and
// 1E+07, also where rounding carries into a new digit, and exact halves, which go to the
// even neighbour, down as well as up.
void ExpectNumberTexts() {
  EXPECT_EQ(NumberText(0), " 0");
  EXPECT_EQ(NumberText(-15), "-15");
  EXPECT_EQ(NumberText(1000000), " 1000000");
  EXPECT_EQ(NumberText(std::numeric_limits<std::int32_t>::max()), " 2147483647");
  EXPECT_EQ(NumberText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  const FloatTexts::element_type plain[] = {
      {0.375f, " .375"}, {-0.25f, "-.25"},    {-0.0f, " 0"},       {-15.0f, "-15"},
      {1e7f, " 1E+07"},  {0.0001f, " .0001"}, {0.00001f, " 1E-05"}};
  const FloatTexts::element_type rounded[] = {
      {2.0f / 3.0f, " .6666667"},   {-3.14159265f, "-3.141593"}, {9999999.0f, " 9999999"},
      {9.9999999e-5f, " .0001"},    {1234567.5f, " 1234568"},    {1234568.5f, " 1234568"},
      {-1234568.5f, "-1234568"},    {Float::infinity(), " inf"}, {-Float::infinity(), "-inf"},
      {-Float::quiet_NaN(), " nan"}};
  const FloatTexts::element_type exponents[] = {
      {12345678.0f, " 1.234568E+07"},  {5.9604645e-08f, " 5.960464E-08"},
      {Float::max(), " 3.402823E+38"}, {Float::denorm_min(), " 1.401298E-45"},
      {0x1p-19f, " 1.907349E-06"},     {std::nextafter(2.0f, 0.0f), " 2"}};
  for (const FloatTexts cases : {FloatTexts(plain), FloatTexts(rounded), FloatTexts(exponents)}) {
    for (const auto& [value, text] : cases)
      EXPECT_EQ(NumberText(value), text) << std::hexfloat << value;
  }
}

// An overflow raises kOverflow, with a message that shows no decimal comma.
void ExpectOverflow(const std::function<void()>& convert, std::string_view what) {
  try {
    convert();
    ADD_FAILURE() << what << " did not overflow";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), ErrorNumber::kOverflow) << what;
    EXPECT_EQ(std::string_view(error.what()).find(','), std::string_view::npos) << error.what();
  }
}

// Decimal starts with "E" or "D" exponents, zero with the number's sign below the smallest
// double and an overflow beyond the largest; blanks, tabs and line feeds removed first, but
// no other white space; "&H" and "&O" as 32-bit two's-complement patterns.
void ExpectNumberValues() {
  const Values::element_type decimal[] = {
      {"", 0},        {"abc", 0},     {".", 0},        {"+-5", 0},
      {"inf", 0},     {"+7", 7},      {"-3.5x", -3.5}, {".5", 0.5},
      {"5.", 5},      {"1.5.5", 1.5}, {"1e3", 1000},   {"2.5D-2", 0.025},
      {"-4d+1", -40}, {"12E+", 12},   {"12d-x", 12},   {"3E2E2", 300}};
  const Values::element_type tiny[] = {
      {"1e-400", 0}, {"-1D-400", -0.0},        {"0e400", 0},
      {"-0", -0.0},  {"0.0000000001e-320", 0}, {"1e-99999999999999999999", 0}};
  const Values::element_type blanks[] = {{" 4 2 ", 42},   {"\t-\t3\n.5", -3.5}, {" 1 E 3", 1000},
                                         {"1\r000", 1},   {"1\v2", 1},          {"1\f2", 1},
                                         {"& H 7F", 127}, {"&H7F 3", 2035},     {"&H7\rF", 7}};
  const Values::element_type patterns[] = {
      {"&H7F", 127},      {"&h7f", 127}, {"&H", 0},   {"&H1G", 1}, {"&H-1", 0},
      {"&H7\xC3\xA9", 7}, {"&O17", 15},  {"&o78", 7}, {"&X10", 0}, {"&HFFFF", 65535}};
  const Values::element_type wide_patterns[] = {
      {"&HFFFFFFFE", -2},          {"&H0000FFFF", 65535},      {"&H00000000FF", 0},
      {"&H80000000", -0x1p31},     {"&H123456789", 305419896}, {"&H9f3a01C2", -1623588414},
      {"&O37777777777", -1},       {"&O377777777777", -1},     {"&O20000000000", -0x1p31},
      {"&O40000000000", 0x1p29},   {"&O0000000000000017", 15}, {"&HFFFFFFF\nE", -2},
      {"&H12345678 9", 305419896}, {"&H1234567 89", 305419896}};
  for (const Values cases :
       {Values(decimal), Values(tiny), Values(blanks), Values(patterns), Values(wide_patterns)}) {
    for (const auto& [text, expected] : cases) {
      const double value = NumberValue(text);
      EXPECT_EQ(value, expected) << '"' << text << '"';
      EXPECT_EQ(std::signbit(value), std::signbit(expected)) << '"' << text << '"';
    }
  }
  EXPECT_EQ(NumberValue("123456789012345678901234567890"), 1.2345678901234568e29);
  EXPECT_EQ(NumberValue("1.7976931348623157E308"), Double::max());
  EXPECT_EQ(NumberValue("4.9406564584124654D-324"), Double::denorm_min());
  // The characters next to the digits and letters end eight-digit hexadecimal too.
  for (const char end : std::string_view("G/:@`g\xC6")) {
    EXPECT_EQ(NumberValue(std::string("&H1234567") + end), 19088743.0) << end;
  }
  for (const std::string_view text :
       {"1e400", "-1e400", "1D400", "18e307x", "1000000000e300", "1e99999999999999999999"}) {
    ExpectOverflow([text] { NumberValue(text); }, text);
  }
}

// Ties to the even neighbour, and an overflow outside the signed 32-bit range.
void ExpectRoundings() {
  const Roundings::element_type ties[] = {{0.5, 0},   {0.6, 1},   {1.5, 2},  {2.5, 2},
                                          {-1.5, -2}, {-2.5, -2}, {-2.6, -3}};
  const Roundings::element_type ends[] = {{0.49999999999999994, 0},
                                          {2147483647.4, 2147483647},
                                          {2147483646.5, 2147483646},
                                          {-2147483647.5, -2147483648},
                                          {-2147483648.5, -2147483648}};
  for (const Roundings cases : {Roundings(ties), Roundings(ends)}) {
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInt32(value), rounded) << value;
  }
  for (const double value : {2147483647.5, 2147483647.6, -2147483648.6, 3.5e9, -Double::infinity(),
                             Double::quiet_NaN()}) {
    ExpectOverflow([value] { RoundToInt32(value); }, std::to_string(value));
  }
}

TEST(NumbersTest, WritesIntegersAndSevenDigitFloats) { ExpectNumberTexts(); }

TEST(NumbersTest, ReadsLeadingNumber) { ExpectNumberValues(); }

TEST(NumbersTest, RoundsHalfToEvenWithinInt32) { ExpectRoundings(); }

// The digits of a float and the rounding to a whole number come from the value itself,
// not from arithmetic that rounds the way the floating-point environment says.
TEST(NumbersTest, IgnoresFloatingPointRoundingMode) {
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    SCOPED_TRACE(mode == FE_UPWARD ? "upward" : mode == FE_DOWNWARD ? "downward" : "toward zero");
    ASSERT_EQ(std::fesetround(mode), 0);
    ExpectNumberTexts();
    ExpectRoundings();
  }
  std::fesetround(FE_TONEAREST);
}

TEST(NumbersTest, DecimalCommaLocaleChangesNothing) {
  std::locale comma;
  try {
    comma = std::locale("de_DE.UTF-8");
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed, so a decimal comma cannot be tried";
  }
  const std::locale original = std::locale::global(comma);
  char printed[8];
  std::snprintf(printed, sizeof printed, "%.1f", 0.5);
  EXPECT_STREQ(printed, "0,5") << "the C library does not use the decimal comma";
  ExpectNumberTexts();
  ExpectNumberValues();
  ExpectRoundings();
  std::locale::global(original);
}

// The text C's "%.7G" writes in the "C" locale, in this program's form.
std::string PrintfText(float value) {
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.7G", static_cast<double>(value));
  std::string text = printed;
  if (text == "-0") text = "0";
  if (text[0] != '-') text.insert(0, 1, ' ');
  if (text.size() > 2 && text[1] == '0' && text[2] == '.') text.erase(1, 1);
  return text;
}

std::vector<float> SweepFloats() {
  std::vector<float> floats;
  const auto add_around = [&floats](float center, int steps) {
    floats.push_back(center);
    float below = center;
    float above = center;
    for (int step = 0; step < steps; ++step) {
      floats.push_back(below = std::nextafter(below, 0.0f));
      floats.push_back(above = std::nextafter(above, Float::max()));
    }
  };
  for (int exponent = -149; exponent <= 127; ++exponent) add_around(std::ldexp(1.0f, exponent), 1);
  // Rounding to seven digits can carry into a new digit and move the decimal exponent.
  for (int power = -45; power <= 38; ++power) {
    add_around(static_cast<float>(std::pow(10.0, power)), power >= -7 && power <= 8 ? 64 : 1);
  }
  std::mt19937 random(20240611);
  while (floats.size() < 100000) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (std::isfinite(value)) floats.push_back(value);
  }
  // Whole numbers of twips, as pointer coordinates arrive.
  std::uniform_int_distribution<int> twips(-20000000, 20000000);
  for (int i = 0; i < 10000; ++i) floats.push_back(static_cast<float>(twips(random)));
  // The program's random values k / 2^24: the smallest in full, where the decimal
  // exponent changes often, then a stride through the rest.
  for (std::uint32_t k = 0; k < 1u << 24; k += k < 1u << 16 ? 1 : 61) {
    floats.push_back(std::ldexp(static_cast<float>(k), -24));
  }
  const std::size_t count = floats.size();
  for (std::size_t i = 0; i < count; ++i) floats.push_back(-floats[i]);
  return floats;
}

TEST(NumbersTest, FloatTextMatchesPrintfAndReadsBack) {
  ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  for (const float value : SweepFloats()) {
    const std::string text = NumberText(value);
    ASSERT_EQ(text, PrintfText(value)) << std::hexfloat << value;
    const double read = NumberValue(text);
    ASSERT_EQ(read, std::strtod(text.c_str(), nullptr)) << text;
    ASSERT_LE(std::fabs(read - value), 5e-7 * std::fabs(value)) << text;
  }
}

}  // namespace
}  // namespace sorvanto
