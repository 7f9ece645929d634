// A long run of the draw: the combinations follow the weights.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine_harness.h"

namespace sorvanto {
namespace {

// Combinations of 2 from numbers 1..5, number i weighing i. Each order has a chance of
// its own: a number is picked with chance weight / total and a repeat drawn again, so the
// second number is picked among the rest in proportion to their weights.
TEST(DrawStatisticsTest, OrderedCombinationsFollowTheWeights) {
  constexpr int kSamples = 40'000;
  testing::EngineRun run(testing::TableText(5, 2, {"1", "2", "3", "4", "5"}));
  run.view = TraceView([](std::string_view) {});  // a long run records nothing
  std::map<std::vector<std::int32_t>, int> counts;
  run.Click();
  for (int samples = 0; samples < kSamples;) {
    run.MovingTicks(1);
    if (!run.view.GetResultText().ends_with("\r\n")) continue;
    ++counts[run.state.Picks];
    run.view.SetResultText("");
    ++samples;
  }
  ASSERT_EQ(counts.size(), 20u) << "each of the 20 orders of two distinct numbers";
  double chi_square = 0;
  for (const auto& [order, observed] : counts) {
    const double expected = kSamples * order[0] / 15.0 * order[1] / (15.0 - order[0]);
    chi_square += (observed - expected) * (observed - expected) / expected;
  }
  // 19 degrees of freedom: chi-square exceeds 63.7 with probability below 1e-6.
  EXPECT_LT(chi_square, 63.7);
}

}  // namespace
}  // namespace sorvanto
