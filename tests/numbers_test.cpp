#include "numbers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "run_error.h"

namespace sorvanto {
namespace {

using Values = std::span<const std::pair<std::string_view, double>>;

// Integers in a sign column; floats to seven digits, switching to the exponent form at
// 1E-05 and 1E+07, also where rounding carries into a new digit.
TEST(NumbersTest, WritesIntegersAndSevenDigitFloats) {
  EXPECT_EQ(NumberText(0), " 0");
  EXPECT_EQ(NumberText(-2147483647 - 1), "-2147483648");
  const std::pair<float, std::string_view> floats[] = {
      {0.375f, " .375"},         {-0.25f, "-.25"},          {-0.0f, " 0"},
      {1e7f, " 1E+07"},          {1e-4f, " .0001"},         {1e-5f, " 1E-05"},
      {2.f / 3, " .6666667"},    {-INFINITY, "-inf"},       {NAN, " nan"},
      {-1234568.5f, "-1234568"}, {9.9999999e-5f, " .0001"}, {12345678.f, " 1.234568E+07"}};
  for (const auto& [value, text] : floats) EXPECT_EQ(NumberText(value), text) << value;
}

// Decimal starts with "E" or "D" exponents, zero below the smallest double; blanks, tabs
// and line feeds left out but no other white space; "&H" and "&O" as 32-bit
// two's-complement patterns.
TEST(NumbersTest, ReadsLeadingNumber) {
  const Values::element_type decimal[] = {
      {"", 0},         {"abc", 0},    {".", 0},       {"+-5", 0},    {"+7", 7},
      {"-3.5x", -3.5}, {".5", 0.5},   {"1.5.5", 1.5}, {"1e3", 1000}, {"2.5D-2", 0.025},
      {"-4d+1", -40},  {"12E+", 12},  {"3E2E2", 300}, {"1e-400", 0}, {"-1D-400", -0.0},
      {"-0", -0.0},    {" 4 2 ", 42}, {"1\r000", 1},  {"1\v2", 1},   {"\t-\t3\n.5", -3.5}};
  const Values::element_type patterns[] = {
      {"& H 7F", 127}, {"&h7f", 127}, {"&H", 0},   {"&H1G", 1},   {"&H-1", 0},
      {"&O17", 15},    {"&o78", 7},   {"&X10", 0}, {"&H7\rF", 7}, {"&HFFFF", 65535}};
  const Values::element_type wide_patterns[] = {
      {"&HFFFFFFFE", -2},          {"&H0000FFFF", 65535},      {"&H00000000FF", 0},
      {"&H80000000", -0x1p31},     {"&H123456789", 305419896}, {"&H9f3a01C2", -1623588414},
      {"&O37777777777", -1},       {"&O377777777777", -1},     {"&O20000000000", -0x1p31},
      {"&O40000000000", 0x1p29},   {"&H1234567:", 19088743},   {"&HFFFFFFF\nE", -2},
      {"&H12345678 9", 305419896}, {"&H1234567 89", 305419896}};
  for (const Values cases : {Values(decimal), Values(patterns), Values(wide_patterns)}) {
    for (const auto& [text, expected] : cases) {
      const double value = NumberValue(text);
      EXPECT_TRUE(value == expected && std::signbit(value) == std::signbit(expected))
          << '"' << text << "\" read as " << value;
    }
  }
  EXPECT_EQ(NumberValue("4.9406564584124654D-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(NumberValue("-" + std::string(200, '0') + "." + std::string(400, '0') + "1"), 0)
      << "leading zeros, no overflow";
  for (const std::string_view text : {"1e400", "-1D400", "18e307x", "1e99999999999999999999"})
    EXPECT_THAT([text] { NumberValue(text); }, ::testing::Throws<RunError>(::testing::Property(
                                                   &RunError::Number, ErrorNumber::kOverflow)))
        << text;
}

}  // namespace
}  // namespace sorvanto
