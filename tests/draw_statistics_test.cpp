#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using testing::EngineRun;
using testing::TableText;

using Counts = std::map<std::vector<int>, int>;

// Draws `samples` combinations of `picks` from numbers 1..balls, number i weighing i,
// with scattered moves and random values, and counts each in the order drawn.
Counts CountDraws(int balls, int picks, int samples) {
  std::vector<std::string> weights;
  for (int i = 1; i <= balls; ++i) weights.push_back(std::to_string(i));
  EngineRun run(TableText(balls, picks, weights));
  run.view = TraceView([](std::string_view) {});  // a long run records nothing
  std::mt19937 random(20261206);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::uniform_int_distribution<int> step(1, 40);

  run.Click();
  Counts counts;
  for (float x = 0; samples > 0;) {
    x += static_cast<float>(step(random)) * 15;
    if (x > 9000) x -= 9000;
    run.Move(x, static_cast<float>(step(random)) * 15);
    run.Tick(unit(random));
    const std::string_view text = run.view.GetResultText();
    if (!text.ends_with("\r\n")) continue;

    const auto lines = testing::ResultLines(text, balls, static_cast<std::size_t>(picks));
    if (!lines) {
      ADD_FAILURE() << "not a combination: " << text;
      return counts;
    }
    ++counts[lines->front()];
    --samples;
    run.view.SetResultText("");
  }
  return counts;
}

// Chi-square of `counts` against the chance of each order under the draw: a number is
// picked with chance weight / total, and a repeat is drawn again, so each next number
// is picked among the rest in proportion to their weights.
double ChiSquare(const Counts& counts, int samples, int total) {
  double chi_square = 0;
  for (const auto& [order, observed] : counts) {
    double chance = 1;
    int left = total;
    for (const int number : order) {
      chance *= static_cast<double>(number) / left;
      left -= number;
    }
    const double expected = samples * chance;
    chi_square += (observed - expected) * (observed - expected) / expected;
  }
  return chi_square;
}

// With one number per combination every number is a first one, which no rejection can
// touch: they follow the weights exactly.
TEST(DrawStatisticsTest, FirstNumbersFollowTheWeights) {
  constexpr int kSamples = 100'000;
  const Counts counts = CountDraws(5, 1, kSamples);
  ASSERT_EQ(counts.size(), 5u);
  // Chi-square with 4 degrees of freedom exceeds 33.38 with probability 1e-6.
  EXPECT_LT(ChiSquare(counts, kSamples, 15), 33.38);
}

// Each order has a chance of its own (1, 2, 3 is rarer than 3, 2, 1), so counting
// orders catches a wrong rule for repeats or an off-by-one in the search, which the
// first numbers alone would not.
TEST(DrawStatisticsTest, OrderedCombinationsFollowTheDrawWithRejection) {
  // Fewer in the sanitizer build (see tests/CMakeLists.txt).
  constexpr int kSamples = SORVANTO_COMBINATION_SAMPLES;
  const Counts counts = CountDraws(7, 3, kSamples);
  ASSERT_EQ(counts.size(), 7u * 6 * 5);
  // 209 degrees of freedom: chi-square exceeds 321.0 with probability below 1e-6.
  EXPECT_LT(ChiSquare(counts, kSamples, 28), 321.0);
}

}  // namespace
}  // namespace sorvanto
