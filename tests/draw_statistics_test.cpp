#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <map>
#include <random>
#include <vector>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using testing::EngineRun;
using testing::TableText;

// Runs the engine on `table` with scattered moves and random values until `count`
// combinations are complete, and hands the numbers of each, in the order drawn, to
// `take`. The recorded lines are dropped and the result text emptied after every
// combination, so that a long run costs the same per tick throughout.
template <typename Take>
void DrawCombinations(std::string_view table, int count, Take take) {
  EngineRun run(table);
  run.view = TraceView([](std::string_view) {});
  std::mt19937 random(20261206);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::uniform_int_distribution<int> step(1, 40);

  run.Click();
  float x = 0;
  std::vector<int> numbers;
  for (int combinations = 0; combinations < count;) {
    x += static_cast<float>(step(random)) * 15;
    if (x > 9000) x -= 9000;
    run.Move(x, static_cast<float>(step(random)) * 15);
    run.Tick(unit(random));
    const std::string_view text = run.view.GetResultText();
    if (!text.ends_with("\r\n")) continue;

    numbers.clear();
    for (const char* p = text.data(); p < text.data() + text.size();) {
      int number = 0;
      const auto [end, ec] = std::from_chars(p + 1, text.data() + text.size(), number);
      ASSERT_EQ(ec, std::errc()) << text;
      numbers.push_back(number);
      p = end + 2;  // past ", " or CR LF, to the blank before the next number
    }
    take(numbers);
    ++combinations;
    run.view.SetResultText("");
  }
}

// The first number of each combination is drawn before any repeat can be rejected, so
// it must follow the weights exactly: number i with chance weight(i) / total.
TEST(DrawStatisticsTest, FirstNumbersFollowTheWeights) {
  constexpr int kCombinations = 100'000;
  constexpr std::array<double, 5> kWeights = {1, 2, 3, 4, 5};
  // Chi-square with 4 degrees of freedom exceeds 33.38 with probability 1e-6: a correct
  // engine fails this less than once in a million runs.
  constexpr double kChiSquareBound = 33.38;

  std::array<int, 5> first_counts{};
  DrawCombinations(TableText(5, 2, {"1", "2", "3", "4", "5"}), kCombinations,
                   [&](const std::vector<int>& numbers) {
                     ASSERT_EQ(numbers.size(), 2u);
                     ++first_counts.at(static_cast<std::size_t>(numbers[0] - 1));
                   });

  double chi_square = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) {
    const double expected = kCombinations * kWeights[i] / 15;
    chi_square += (first_counts[i] - expected) * (first_counts[i] - expected) / expected;
  }
  EXPECT_LT(chi_square, kChiSquareBound);
}

// Whole combinations of 3 from 7 numbers weighted 1 to 7, against the exact chance of
// each under the draw: a number is picked with chance weight / 28, and a repeat is
// rejected and drawn again, so the next number is picked among the rest in proportion
// to their weights. The combinations are counted in the order drawn, as the result
// box shows them: each order has a chance of its own (1, 2, 3 is rarer than 3, 2, 1),
// and merging the orders would hide a fault that moves chance between them. A wrong
// duplicate rule or an off-by-one in the search shows here, where the first numbers
// alone would not.
TEST(DrawStatisticsTest, OrderedCombinationsFollowTheDrawWithRejection) {
  // A million combinations; fewer in the sanitizer build (see tests/CMakeLists.txt),
  // where each tick costs about thirty times as much.
  constexpr int kCombinations = SORVANTO_COMBINATION_SAMPLES;
  constexpr std::array<double, 7> kWeights = {1, 2, 3, 4, 5, 6, 7};
  constexpr double kTotal = 28;
  // 7 * 6 * 5 = 210 orders, 209 degrees of freedom: chi-square exceeds 321.0 with
  // probability below 1e-6, so a correct engine fails this less than once in a million
  // runs.
  constexpr double kChiSquareBound = 321.0;

  std::map<std::array<int, 3>, int> counts;
  DrawCombinations(TableText(7, 3, {"1", "2", "3", "4", "5", "6", "7"}), kCombinations,
                   [&](const std::vector<int>& numbers) {
                     ASSERT_EQ(numbers.size(), 3u);
                     ++counts[{numbers[0], numbers[1], numbers[2]}];
                   });

  double chi_square = 0;
  int orders = 0;
  for (int a = 1; a <= 7; ++a) {
    for (int b = 1; b <= 7; ++b) {
      for (int c = 1; c <= 7; ++c) {
        if (a == b || a == c || b == c) continue;
        const double wa = kWeights[a - 1], wb = kWeights[b - 1], wc = kWeights[c - 1];
        const double chance = wa / kTotal * wb / (kTotal - wa) * wc / (kTotal - wa - wb);
        const double expected = kCombinations * chance;
        const auto found = counts.find({a, b, c});
        const double observed = found == counts.end() ? 0 : found->second;
        chi_square += (observed - expected) * (observed - expected) / expected;
        if (found != counts.end()) ++orders;
      }
    }
  }
  EXPECT_EQ(orders, static_cast<int>(counts.size()))
      << "a combination repeats a number or holds one outside 1..7";
  EXPECT_LT(chi_square, kChiSquareBound);
}

}  // namespace
}  // namespace sorvanto
