// A long run of the draw: the combinations follow the weights, and the heap does not grow.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <new>
#include <vector>

#include "engine_harness.h"

// The bytes this test program holds, counted where a release says its size (every string
// and container does), so that a long run can tell a heap that grows from one that does not.
static std::atomic<long long> held_bytes{0};
[[gnu::noinline]] void* operator new(std::size_t size) {
  void* const block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  held_bytes += static_cast<long long>(size);
  return block;
}
[[gnu::noinline]] void operator delete(void* block, std::size_t size) noexcept {
  held_bytes -= static_cast<long long>(size);
  std::free(block);
}
void operator delete(void* block) noexcept { std::free(block); }

namespace sorvanto {
namespace {

// Combinations of 2 from numbers 1..5, number i weighing i. Each order has a chance of
// its own: a number is picked with chance weight / total and a repeat drawn again, so the
// second number is picked among the rest in proportion to their weights.
TEST(DrawStatisticsTest, OrderedCombinationsFollowTheWeightsInABoundedHeap) {
  constexpr int kSamples = 40'000;
  testing::EngineRun run(testing::TableText(5, 2, {"1", "2", "3", "4", "5"}));
  run.view = TraceView([](std::string_view) {});  // a long run records nothing
  std::map<std::vector<std::int32_t>, int> counts;
  long long bytes = 0;
  run.Click();
  for (int samples = 0; samples < kSamples;) {
    run.MovingTicks(1);
    if (!run.view.GetResultText().ends_with("\r\n")) continue;
    ASSERT_NE(run.state.Picks[0], run.state.Picks[1]) << run.view.GetResultText();
    ++counts[run.state.Picks];
    run.view.SetResultText("");
    if (++samples == 1000) bytes = held_bytes;
  }
  EXPECT_LE(held_bytes, bytes + 1024) << "the heap grows with the run";
  ASSERT_EQ(counts.size(), 20u);
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
