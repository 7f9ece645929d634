#include "numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <locale>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "run_error.h"

namespace sorvanto {
namespace {

struct IntTextCase {
  std::int32_t value;
  std::string_view text;
};

TEST(NumbersTest, WritesIntegersWithSignColumn) {
  const IntTextCase cases[] = {
      {0, " 0"},
      {7, " 7"},
      {100, " 100"},
      {-1, "-1"},
      {-15, "-15"},
      {1000000, " 1000000"},
      {std::numeric_limits<std::int32_t>::max(), " 2147483647"},
      {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberText(c.value), c.text) << c.value;
  }
}

struct FloatTextCase {
  float value;
  std::string_view text;
};

TEST(NumbersTest, WritesFloatsWithSevenSignificantDigits) {
  const FloatTextCase cases[] = {
      // Whole numbers, including the twips coordinates the program writes on every tick.
      {0.0f, " 0"},
      {-0.0f, " 0"},
      {1245.0f, " 1245"},
      {-15.0f, "-15"},
      {9999999.0f, " 9999999"},
      {-9999999.0f, "-9999999"},
      {1e7f, " 1E+07"},
      {12345678.0f, " 1.234568E+07"},
      {-12345678.0f, "-1.234568E+07"},
      {3e9f, " 3E+09"},
      // Fractions lose the "0" before the decimal mark.
      {0.375f, " .375"},
      {0.25f, " .25"},
      {-0.25f, "-.25"},
      {0.1234567f, " .1234567"},
      {0.1f, " .1"},
      {1.5f, " 1.5"},
      {-2.75f, "-2.75"},
      {3.14159265f, " 3.141593"},
      {123456.7f, " 123456.7"},
      // Exponent form exactly below 1E-04 after rounding.
      {0.0001f, " .0001"},
      {0.00012345f, " .00012345"},
      {0.00001f, " 1E-05"},
      {1e-7f, " 1E-07"},
      {5.9604645e-08f, " 5.960464E-08"},
      {-5.9604645e-08f, "-5.960464E-08"},
      {1e-30f, " 1E-30"},
      {std::numeric_limits<float>::max(), " 3.402823E+38"},
      {std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
      // Rounding that carries into a new digit, and across the exponent switch.
      {9999999.5f, " 1E+07"},
      {std::nextafter(2.0f, 0.0f), " 2"},
      {0.01f, " .01"},
      {9.9999999e-5f, " .0001"},
      {19999997952.0f, " 2E+10"},
      {1234567.4f, " 1234567"},
      {1234567.6f, " 1234568"},
      // Exact halves round to the even neighbour, down as well as up.
      {1234567.5f, " 1234568"},
      {1234568.5f, " 1234568"},
      {-1234568.5f, "-1234568"},
      // Exponent form below 1E-04 also for values that still have seven exact digits.
      {0x1p-19f, " 1.907349E-06"},
      {0x1p-18f, " 3.814697E-06"},
      {2e-6f, " 2E-06"},
      {0.000012345f, " 1.2345E-05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberText(c.value), c.text) << std::hexfloat << c.value;
  }
}

TEST(NumbersTest, WritesNonFiniteFloatsAsWords) {
  EXPECT_EQ(NumberText(std::numeric_limits<float>::infinity()), " inf");
  EXPECT_EQ(NumberText(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(NumberText(std::numeric_limits<float>::quiet_NaN()), " nan");
  EXPECT_EQ(NumberText(-std::numeric_limits<float>::quiet_NaN()), " nan");
}

struct ValueCase {
  std::string_view text;
  double value;
};

void ExpectValues(const std::vector<ValueCase>& cases) {
  for (const auto& c : cases) {
    const double value = NumberValue(c.text);
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << '"' << c.text << '"';
  }
}

TEST(NumbersTest, ReadsLeadingDecimalNumber) {
  ExpectValues({
      {"", 0.0},
      {"abc", 0.0},
      {"-", 0.0},
      {".", 0.0},
      {"+-5", 0.0},
      {"42", 42.0},
      {"+7", 7.0},
      {"-3.5x", -3.5},
      {"12abc", 12.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"-.25", -0.25},
      {"1.5.5", 1.5},
      {"007", 7.0},
      {"0.1", 0.1},
      {"2147483648", 2147483648.0},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"\r5", 0.0},
      {"5\r", 5.0},
  });
}

TEST(NumbersTest, ReadsExponentWithEOrDMarker) {
  ExpectValues({
      {"1E3", 1000.0},
      {"1e3", 1000.0},
      {"1D3", 1000.0},
      {"1d3", 1000.0},
      {"2.5D-2", 0.025},
      {"-4d+1", -40.0},
      {".5E1", 5.0},
      {"5.E1", 50.0},
      {"12E", 12.0},
      {"12D", 12.0},
      {"12E+", 12.0},
      {"12d-x", 12.0},
      {"3E2E2", 300.0},
      {"1E3D2", 1000.0},
      {"1.7976931348623157E308", 1.7976931348623157e308},
      {"4.9406564584124654D-324", 4.9406564584124654e-324},
  });
}

TEST(NumbersTest, UnderflowReadsAsSignedZero) {
  ExpectValues({
      {"1e-400", 0.0},
      {"-1e-400", -0.0},
      {"1D-400", 0.0},
      {"0.0000000001e-320", 0.0},
      {"1e-99999999999999999999", 0.0},
      {"0e400", 0.0},
      {"-0", -0.0},
  });
}

TEST(NumbersTest, RaisesOverflowBeyondDoubleRange) {
  const std::string_view texts[] = {
      "1e400", "-1e400", "1D400", "1.8e308", "18e307x", "1000000000e300", "1e99999999999999999999",
  };
  for (const auto text : texts) {
    try {
      NumberValue(text);
      ADD_FAILURE() << '"' << text << "\" did not overflow";
    } catch (const RunError& error) {
      EXPECT_EQ(error.Number(), ErrorNumber::kOverflow) << text;
      EXPECT_NE(std::string_view(error.what()).find("too large"), std::string_view::npos)
          << error.what();
    }
  }
}

TEST(NumbersTest, IgnoresBlanksTabsAndLineFeedsAnywhere) {
  ExpectValues({
      {"1 000", 1000.0},
      {" 4 2 ", 42.0},
      {"\t-\t3\n.5", -3.5},
      {" 1 E 3", 1000.0},
      {"& H 7F", 127.0},
      {"&H 7F", 127.0},
      {"&H7F 3", 2035.0},
      {"&HFFFFFFF\nE", -2.0},
      {"&H1234567 89", 305419896.0},
      {"&H12345678 9", 305419896.0},
      {"   ", 0.0},
      {"1\r000", 1.0},
      {"1\v2", 1.0},
      {"1\f2", 1.0},
      {"&H7\rF", 7.0},
  });
}

TEST(NumbersTest, ReadsHexAndOctalAsThirtyTwoBitTwosComplement) {
  ExpectValues({
      {"&H7F", 127.0},
      {"&h7f", 127.0},
      {"&HFFFFFFFF", -1.0},
      {"&HFFFFFFFE", -2.0},
      {"&H80000000", -2147483648.0},
      {"&H7FFFFFFF", 2147483647.0},
      {"&H0000007F", 127.0},
      {"&HFFFF", 65535.0},
      {"&H0000FFFF", 65535.0},
      {"&H8000", 32768.0},
      {"&H", 0.0},
      {"&Hxyz", 0.0},
      {"&H1G", 1.0},
      {"&H123456789", 305419896.0},
      {"&H9F3A01C2", -1623588414.0},
      {"&H9f3a01c2", -1623588414.0},
      {"&H1234567G", 19088743.0},
      {"&H1234567:", 19088743.0},
      {"&H1234567/", 19088743.0},
      {"&H1234567@", 19088743.0},
      {"&H1234567`", 19088743.0},
      {"&H7\xC3\xA9", 7.0},
      {"&H\xFF", 0.0},
      {"&H00000000FF", 0.0},
      {"&H-1", 0.0},
      {"&O17", 15.0},
      {"&o17", 15.0},
      {"&O", 0.0},
      {"&O78", 7.0},
      {"&O177777", 65535.0},
      {"&O17777777777", 2147483647.0},
      {"&O20000000000", -2147483648.0},
      {"&O37777777777", -1.0},
      {"&O377777777777", -1.0},
      {"&O40000000000", 536870912.0},
      {"&O0000000000000017", 15.0},
      {"&X10", 0.0},
      {"&", 0.0},
  });
}

TEST(NumbersTest, RoundsHalfToEven) {
  const struct {
    double value;
    std::int32_t rounded;
  } cases[] = {
      {0.0, 0},
      {-0.0, 0},
      {0.4, 0},
      {0.5, 0},
      {0.6, 1},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {-2.6, -3},
      {0.49999999999999994, 0},
      {1e-300, 0},
      {-1e-300, 0},
      {2147483647.4, 2147483647},
      {2147483646.5, 2147483646},
      {-2147483648.0, -2147483648},
      {-2147483648.5, -2147483648},
      {-2147483647.5, -2147483648},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundToInt32(c.value), c.rounded) << c.value;
  }
}

TEST(NumbersTest, RoundingIgnoresFloatingPointRoundingMode) {
  const double values[] = {0.5, 1.5, 2.5, -2.5, 2.4, -2.6, 2147483647.4, -2147483648.5};
  std::vector<std::int32_t> expected;
  for (const double value : values) expected.push_back(RoundToInt32(value));

  const int original = std::fegetround();
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (std::size_t i = 0; i < std::size(values); ++i) {
      EXPECT_EQ(RoundToInt32(values[i]), expected[i]) << values[i] << " mode " << mode;
    }
  }
  std::fesetround(original);
}

TEST(NumbersTest, RaisesOverflowOutsideInt32) {
  const double values[] = {
      2147483647.5,
      2147483647.6,
      2147483648.0,
      -2147483648.6,
      -2147483649.0,
      1e300,
      -1e300,
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
  };
  for (const double value : values) {
    try {
      RoundToInt32(value);
      ADD_FAILURE() << value << " did not overflow";
    } catch (const RunError& error) {
      EXPECT_EQ(error.Number(), ErrorNumber::kOverflow) << value;
    }
  }
}

// Switches the C and C++ global locales to one with a decimal comma for one test.
class CommaLocale {
 public:
  CommaLocale() : c_locale_(std::setlocale(LC_ALL, nullptr)), cpp_locale_() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR"}) {
      if (std::setlocale(LC_ALL, name) == nullptr) continue;
      try {
        std::locale::global(std::locale(name));
        active_ = true;
        return;
      } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, c_locale_.c_str());
      }
    }
  }
  ~CommaLocale() {
    std::locale::global(cpp_locale_);
    std::setlocale(LC_ALL, c_locale_.c_str());
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool Active() const { return active_; }

 private:
  std::string c_locale_;
  std::locale cpp_locale_;
  bool active_ = false;
};

TEST(NumbersTest, DecimalMarkIsPointWhateverTheLocale) {
  const CommaLocale locale;
  if (!locale.Active()) {
    GTEST_SKIP() << "no locale with a decimal comma is installed (e.g. de_DE.UTF-8)";
  }
  char printed[16];
  std::snprintf(printed, sizeof printed, "%.1f", 0.5);
  ASSERT_STREQ(printed, "0,5") << "the locale in force does not use a decimal comma";

  EXPECT_EQ(NumberText(0.375f), " .375");
  EXPECT_EQ(NumberText(-1234.5f), "-1234.5");
  EXPECT_EQ(NumberText(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(NumberText(1000000), " 1000000");
  EXPECT_EQ(NumberValue("3.25"), 3.25);
  EXPECT_EQ(NumberValue("3,25"), 3.0);
  EXPECT_EQ(NumberValue("1.5E3"), 1500.0);
  try {
    RoundToInt32(3e9);
    ADD_FAILURE() << "3e9 did not overflow";
  } catch (const RunError& error) {
    EXPECT_EQ(std::string_view(error.what()).find(','), std::string_view::npos) << error.what();
  }
}

// Significant digits of the shortest decimal text that reads back as the float.
int ShortestDigits(float value) {
  char buffer[32];
  const auto written =
      std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::scientific);
  int digits = 0;
  for (const char* p = buffer; p != written.ptr && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') ++digits;
  }
  return digits;
}

// A written number read back by the standard library.
template <typename Number>
Number ParsedText(std::string_view text) {
  if (text.front() == ' ') text.remove_prefix(1);
  Number value{};
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(read.ptr, text.data() + text.size()) << text;
  return value;
}

// The text C's "%.7G" writes in the "C" locale, adjusted to this program's form.
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
  std::vector<float> floats = {
      0.0f,
      -0.0f,
      std::numeric_limits<float>::min(),
      std::numeric_limits<float>::max(),
      std::numeric_limits<float>::denorm_min(),
      std::nextafter(std::numeric_limits<float>::min(), 0.0f),
      9999999.0f,
      std::nextafter(1e7f, 0.0f),
      1e7f,
      0.0001f,
      std::nextafter(0.0001f, 0.0f),
      0.00001f,
      0x1.5c87fap-84f,
  };
  for (int exponent = -149; exponent <= 127; ++exponent) {
    floats.push_back(std::ldexp(1.0f, exponent));
    floats.push_back(std::nextafter(std::ldexp(1.0f, exponent), 0.0f));
  }
  for (int power = -45; power <= 38; ++power) {
    floats.push_back(static_cast<float>(std::pow(10.0, power)));
  }
  // Every float near the powers of ten from 1E-07 to 1E+08, where the rounding to seven
  // digits can carry into a new digit and move the decimal exponent.
  for (int power = -7; power <= 8; ++power) {
    const float center = static_cast<float>(std::pow(10.0, power));
    float below = center;
    float above = center;
    for (int step = 0; step < 64; ++step) {
      below = std::nextafter(below, 0.0f);
      above = std::nextafter(above, std::numeric_limits<float>::max());
      floats.push_back(below);
      floats.push_back(above);
    }
  }
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::uint32_t> bits;
  while (floats.size() < 200000) {
    const float value = std::bit_cast<float>(bits(random));
    if (std::isfinite(value)) floats.push_back(value);
  }
  // Whole numbers of twips, as pointer coordinates arrive.
  std::uniform_int_distribution<int> twips(-20000000, 20000000);
  for (int i = 0; i < 20000; ++i) floats.push_back(static_cast<float>(twips(random)));
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
    ASSERT_EQ(read, ParsedText<double>(text)) << text;
    ASSERT_LE(std::fabs(read - value), 5e-7 * std::fabs(value)) << text;
    // Reading the text into a float gives the float back. Going through NumberValue's
    // double first may round twice: 0x1.5c87fap-84 would come back as its neighbour.
    if (ShortestDigits(value) <= 7) {
      ASSERT_EQ(ParsedText<float>(text), value) << text;
    }
  }
}

// Every random value the program writes is k / 2^24 for a 24-bit k: the smallest ones in
// full, where each binade is short and the decimal exponent changes often, then a
// stride through the rest.
TEST(NumbersTest, RandomValueTextMatchesPrintf) {
  ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  constexpr std::uint32_t kRandomValues = 1u << 24;
  constexpr std::uint32_t kAllBelow = 1u << 16;
  constexpr std::uint32_t kStride = 61;
  for (std::uint32_t k = 0; k < kRandomValues; k += k < kAllBelow ? 1 : kStride) {
    const float value = static_cast<float>(k) / static_cast<float>(kRandomValues);
    ASSERT_EQ(NumberText(value), PrintfText(value)) << k << " / 2^24";
  }
}

// The digits of a float come from the value itself, not from arithmetic that rounds the
// way the floating-point environment says.
TEST(NumbersTest, FloatTextIgnoresFloatingPointRoundingMode) {
  ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  const float values[] = {
      0.3750001f, 0.1f,       2.0f / 3.0f,   1.0f / 3.0f,   -0.7f,           123456.7f, 1234567.5f,
      1234568.5f, 9999999.5f, 9.9999999e-5f, 5.9604645e-8f, 0x1.fffffep-20f, 0x1p-19f,  3.4e38f,
  };
  std::vector<std::string> expected;
  for (const float value : values) expected.push_back(PrintfText(value));

  const int original = std::fegetround();
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (std::size_t i = 0; i < std::size(values); ++i) {
      EXPECT_EQ(NumberText(values[i]), expected[i])
          << std::hexfloat << values[i] << " mode " << mode;
    }
  }
  std::fesetround(original);
}

}  // namespace
}  // namespace sorvanto
