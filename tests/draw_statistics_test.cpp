#include <gtest/gtest.h>

#include <array>
#include <random>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using testing::EngineRun;
using testing::TableText;

// The first number of each combination is drawn before any repeat can be rejected, so
// it must follow the weights exactly: number i with chance weight(i) / total.
TEST(DrawStatisticsTest, FirstNumbersFollowTheWeights) {
  constexpr int kCombinations = 100'000;
  constexpr std::array<double, 5> kWeights = {1, 2, 3, 4, 5};
  // Chi-square with 4 degrees of freedom exceeds 33.38 with probability 1e-6: a correct
  // engine fails this less than once in a million runs.
  constexpr double kChiSquareBound = 33.38;

  EngineRun run(TableText(5, 2, {"1", "2", "3", "4", "5"}));
  run.view = TraceView([](std::string_view) {});  // the lines of 100,000 draws are not needed
  std::mt19937 random(20261206);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::uniform_int_distribution<int> step(1, 40);

  run.Click();
  std::array<int, 5> first_counts{};
  int drawn = 0;
  float x = 0;
  for (int combinations = 0; combinations < kCombinations;) {
    x += static_cast<float>(step(random)) * 15;
    if (x > 9000) x -= 9000;
    run.Move(x, static_cast<float>(step(random)) * 15);
    run.Tick(unit(random));
    const std::string_view text = run.view.GetResultText();
    if (text.ends_with("\r\n")) {
      ++first_counts.at(static_cast<std::size_t>(text[1] - '1'));
      drawn += 2;
      ++combinations;
      run.view.SetResultText("");
    }
  }
  ASSERT_GE(drawn, 100'000);

  double chi_square = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) {
    const double expected = kCombinations * kWeights[i] / 15;
    chi_square += (first_counts[i] - expected) * (first_counts[i] - expected) / expected;
  }
  EXPECT_LT(chi_square, kChiSquareBound);
}

}  // namespace
}  // namespace sorvanto
