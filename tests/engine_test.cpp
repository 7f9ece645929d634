// The engine's tick, draw and platform, through the recording harness, and a long run of
// the draw whose combinations must follow the weights.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <map>
#include <new>
#include <vector>

#include "engine_harness.h"
#include "number_draw.h"
#include "run_error.h"
#include "system_platform.h"

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

using ::testing::ElementsAre;

// The trace's quoting: every byte below 32 readable, as an escape of its own or \u00XX. A
// result text that extends the last one (at first the empty one, later with typed text) is
// written as what it adds, any other as a whole.
TEST(TraceViewTest, QuotesTextWithEscapesAndWritesWhatTheResultTextGains) {
  std::vector<std::string> lines;
  TraceView view([&lines](std::string_view line) { lines.emplace_back(line); });
  view.SetResultText("\"\\\r\n\t\x1F");
  view.TypeText("typed");
  view.SetResultText("\"\\\r\n\t\x1Ftyped 1, ");
  view.SetResultText("longer, but not the same start");
  view.SetResultText("");
  EXPECT_THAT(
      lines,
      ElementsAre(R"(AppendResultText "\"\\\r\n\t\u001F")", R"(AppendResultText " 1, ")",
                  R"(SetResultText "longer, but not the same start")", R"(SetResultText "")"));
}

TEST(ScaleDigestTest, MapsTheXorOfTheFourWordsOntoTheTotal) {
  const std::string kZeros(24, '0');
  EXPECT_EQ(ScaleDigest("00000000" + kZeros, 7), 3);                    // 3.5 rounds down
  EXPECT_EQ(ScaleDigest("7FFFFFFF" + kZeros, 2147483647), 2147483646);  // in double precision
  EXPECT_EQ(ScaleDigest("FFFFFFFF" + kZeros, 6), 2);                    // the word is signed
  // The words XOR to 12 (3 ^ 5 ^ 6 ^ 12); their sum is 26, and the first word alone is 3.
  EXPECT_EQ(ScaleDigest("8000000300000005000000060000000C", 1 << 30), 3);
}

// The warm-up, then numbers after what the user typed, three distinct ones a line, with
// the caret after them (the digests are those of the harness's moves), then a reset.
TEST(NumberDrawTest, WarmsUpForOneHundredAndOneMovingTicksDrawsAt200msAndResets) {
  testing::EngineRun run(testing::TableText(4, 3, {"1", "1", "1", "1"}));
  run.Click();
  run.MovingTicks(101);
  EXPECT_THAT(std::vector(run.lines.end() - 6, run.lines.end()),
              ElementsAre("SetPercentCaption \"99%\"", ::testing::StartsWith("SetDigestCaption"),
                          "ClearProgressBar", "DrawProgressBar 1", "SetPercentCaption \"100%\"",
                          "SetTimerInterval 200"));
  run.view.TypeText("my notes\r\n");
  run.MovingTicks(1);  // the warm-up is over: a number at once
  EXPECT_EQ(run.view.GetResultText(), "my notes\r\n 3, ");
  run.MovingTicks(8);  // five of them draw a repeat, rejected
  EXPECT_EQ(run.view.GetResultText(), "my notes\r\n 3,  1,  2\r\n 3, ");
  EXPECT_THAT(run.lines, ::testing::Contains("SetResultCaret 26"));

  // A reset starts a fresh warm-up; its calls one by one are in the replay tool's contract.
  RequestReset(run.state, run.view);
  run.MovingTicks(1);
  run.Click();
  run.MovingTicks(2);
  EXPECT_EQ(run.lines.back(), "SetPercentCaption \"1%\"");
}

// A folder in the table's place is named as one on every system, though on Windows it
// does not even open.
TEST(WeightTableTest, StopsStartUpOnAFolderInTheTablesPlace) {
  testing::EngineRun run;
  std::filesystem::create_directory(run.folder / "table.txt");
  EXPECT_THAT(
      [&run] { StartEngine(run.state, run.view, run); },
      ::testing::ThrowsMessage<RunError>(::testing::EndsWith(": this is a folder, not a file")));
}

// The time of day is guessable to the second, so it must not decide the sequence: two
// platforms seeded in the same instant still draw differently. Each value is k / 2^24 in
// [0, 1), every one of the 24 bits of k seen set and clear.
TEST(SystemPlatformTest, SameTimeOfDayGivesOtherSequencesOf24RandomBits) {
  int beeps = 0;
  SystemPlatform first([&beeps] { ++beeps; }), second(nullptr);
  first.SeedRandom(43200.5f);
  second.SeedRandom(43200.5f);
  EXPECT_NE(first.NextRandom(), second.NextRandom());
  first.Beep();
  second.Beep();  // with no way to beep, nothing happens
  EXPECT_EQ(beeps, 1);
  std::uint32_t any_set = 0, all_set = 0xFFFFFF;
  for (int i = 0; i < 10'000; ++i) {
    const float scaled = std::ldexp(first.NextRandom(), 24);
    ASSERT_TRUE(scaled >= 0 && scaled < 0x1p24f && scaled == std::floor(scaled)) << scaled;
    any_set |= static_cast<std::uint32_t>(scaled);
    all_set &= static_cast<std::uint32_t>(scaled);
  }
  EXPECT_EQ(any_set - all_set, 0xFFFFFFu);
}

// Combinations of 2 from numbers 1..5, number i weighing i. Each order has a chance of
// its own: a number is picked with chance weight / total and a repeat drawn again, so the
// second number is picked among the rest in proportion to their weights. Over the run of
// some 90,000 moving ticks the engine's heap stays as it was after the first thousand.
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
    ++counts[run.state.Picks];
    run.view.SetResultText("");
    if (++samples == 1000) bytes = held_bytes;
  }
  EXPECT_LE(held_bytes, bytes + 1024) << "the heap grows with the run";
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
