#include "number_draw.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using ::testing::ElementsAre;
using testing::EngineRun;
using ::testing::IsEmpty;
using testing::TableText;

// A digest whose XOR of words is `acc`: the first word spells it, the others are zero.
std::string DigestWithXor(std::int32_t acc) {
  char first[9];
  std::snprintf(first, sizeof first, "%08X", static_cast<std::uint32_t>(acc));
  return std::string(first) + std::string(24, '0');
}

// The smallest XOR of words that ScaleDigest maps to `value` for `total`.
std::int32_t XorFor(std::int32_t value, std::int32_t total) {
  const double acc = std::ceil(value * 4294967296.0 / total) - 2147483648.0;
  return static_cast<std::int32_t>(acc);
}

TEST(ScaleDigestTest, MapsTheXorOfTheFourWordsOntoTheTotal) {
  const std::string zeros(32, '0');
  EXPECT_EQ(ScaleDigest(zeros, 6), 3);
  EXPECT_EQ(ScaleDigest(zeros, 7), 3);
  EXPECT_EQ(ScaleDigest("80000000" + std::string(24, '0'), 6), 0);
  EXPECT_EQ(ScaleDigest("7FFFFFFF" + std::string(24, '0'), 6), 5);
  EXPECT_EQ(ScaleDigest("7FFFFFFF" + std::string(24, '0'), 2147483647), 2147483646);
  EXPECT_EQ(ScaleDigest("FFFFFFFF" + std::string(24, '0'), 6), 2);
  // Words 1 ^ 2 ^ 4 ^ 8 = 15: every word takes part, read most significant digit first.
  EXPECT_EQ(ScaleDigest("80000001000000020000000400000008", 1 << 30),
            ScaleDigest(DigestWithXor(static_cast<std::int32_t>(0x8000000F)), 1 << 30));
  // The reduction whose bias the README reports is the one the draw uses.
  EXPECT_EQ(ScaleDigest("80000001000000020000000400000008", 2147483647),
            ScaleWord(static_cast<std::int32_t>(0x8000000F), 2147483647));
  EXPECT_EQ(ScaleDigest(zeros, 1), 0);
}

class NumberDrawTest : public ::testing::Test {
 protected:
  // Puts the run straight into drawing with the given cumulative weights.
  void StartDrawing(std::vector<std::int32_t> weights, std::int32_t pick_count) {
    run.state.Weights = std::move(weights);
    run.state.BallCount = static_cast<std::int32_t>(run.state.Weights.size());
    run.state.WeightTotal = run.state.Weights.back();
    run.state.PickCount = pick_count;
    run.state.Picks.assign(static_cast<std::size_t>(pick_count), 0);
    run.state.Progress = 101;
    run.TakeLines();
  }

  // One drawing step on a digest chosen so that ScaleDigest gives `value`.
  void DrawValue(std::int32_t value) {
    std::string digest = DigestWithXor(XorFor(value, run.state.WeightTotal));
    ASSERT_EQ(ScaleDigest(digest, run.state.WeightTotal), value);
    DrawStep(run.state, run.view, digest, run.state.MoveCount);
  }

  std::string_view Result() { return run.view.GetResultText(); }

  EngineRun run{TableText(3, 2, {"1", "2", "3"})};
};

TEST_F(NumberDrawTest, WarmUpTakes101MovingTicksThenDrawsAt200ms) {
  run.Click();
  run.TakeLines();
  run.MovingTicks(1);
  EXPECT_THAT(run.TakeLines(),
              ElementsAre(::testing::StartsWith("SetDigestCaption"), "ClearProgressBar",
                          "DrawProgressBar 0", "SetPercentCaption \"0%\""));
  run.MovingTicks(99);
  EXPECT_THAT(run.TakeLines(), ::testing::Contains("SetPercentCaption \"99%\""));
  run.MovingTicks(1);
  EXPECT_THAT(run.TakeLines(), ElementsAre(::testing::StartsWith("SetDigestCaption"),
                                           "ClearProgressBar", "DrawProgressBar 1",
                                           "SetPercentCaption \"100%\"", "SetTimerInterval 200"));
  EXPECT_THAT(Result(), IsEmpty());
  run.MovingTicks(1);
  EXPECT_EQ(run.state.MoveCount, 102);
  EXPECT_THAT(Result(), ::testing::MatchesRegex(" [123], "));
}

TEST_F(NumberDrawTest, SearchFindsTheFirstCumulativeWeightAboveTheValue) {
  const std::string_view expected[] = {" 1\r\n", " 2\r\n", " 2\r\n", " 3\r\n", " 3\r\n", " 3\r\n"};
  for (std::int32_t value = 0; value < 6; ++value) {
    StartDrawing({1, 3, 6}, 1);
    run.view.SetResultText("");
    DrawValue(value);
    EXPECT_EQ(Result(), expected[value]) << "value " << value;
  }
}

TEST_F(NumberDrawTest, CombinationsFillLinesAndRejectRepeats) {
  StartDrawing({1, 2, 3, 4, 5, 6}, 3);
  DrawValue(4);
  DrawValue(1);
  EXPECT_THAT(run.TakeLines(), ElementsAre("SetResultText \" 5, \"", "SetResultCaret 4",
                                           "SetResultText \" 5,  2, \"", "SetResultCaret 8"));
  DrawValue(4);  // 5 again: rejected without a trace
  EXPECT_THAT(run.TakeLines(), IsEmpty());
  EXPECT_EQ(run.state.PickPos, 2);
  DrawValue(0);
  DrawValue(4);  // a new line may hold 5 again
  EXPECT_EQ(Result(), " 5,  2,  1\r\n 5, ");
  EXPECT_EQ(run.state.PickPos, 1);
}

TEST_F(NumberDrawTest, OneNumberPerCombinationEndsEveryLine) {
  StartDrawing({1, 2}, 1);
  DrawValue(1);
  DrawValue(1);
  EXPECT_EQ(Result(), " 2\r\n 2\r\n");
}

TEST_F(NumberDrawTest, NumbersGoAfterWhatTheUserTyped) {
  StartDrawing({1, 2, 3}, 2);
  run.view.TypeText("my notes\r\n");
  DrawValue(2);
  EXPECT_EQ(Result(), "my notes\r\n 3, ");
  EXPECT_THAT(run.TakeLines(),
              ElementsAre("SetResultText \"my notes\\r\\n 3, \"", "SetResultCaret 14"));
}

TEST_F(NumberDrawTest, ResetWaitsForTheNextMovingTickAndEmptiesEverything) {
  run.Click();
  run.MovingTicks(105);
  ASSERT_FALSE(Result().empty());
  run.TakeLines();

  run.Reset();
  run.Reset();  // the button is disabled while the reset is pending
  EXPECT_THAT(run.TakeLines(),
              ElementsAre("SetTimerEnabled true", "SetResetCaption \"Hover over yellow to reset.\"",
                          "SetResetEnabled false"));
  run.Tick();  // no movement: nothing happens yet
  EXPECT_THAT(run.TakeLines(), IsEmpty());

  const int random_calls = run.platform.random_calls;
  run.MovingTicks(1);
  EXPECT_EQ(run.platform.random_calls, random_calls + 1) << "the reset tick still samples";
  EXPECT_THAT(
      run.TakeLines(),
      ElementsAre(::testing::StartsWith("SetDigestCaption \"Current digest: "),
                  "SetTimerEnabled false", "SetTimerInterval 25", "SetResetCaption \"Reset\"",
                  "SetResetEnabled true", "SetDigestCaption \"\"", "SetResultText \"\"",
                  "ClearProgressBar", "SetPercentCaption \"0%\""));
  EXPECT_EQ(run.state.Digest, "");
  EXPECT_EQ(run.state.MoveCount, 0);
  EXPECT_EQ(run.state.Progress, 0);
  EXPECT_EQ(run.state.PickPos, 0);

  run.Click();
  run.MovingTicks(1);
  EXPECT_THAT(run.TakeLines(), ::testing::Contains("DrawProgressBar 0")) << "a new warm-up";
}

TEST_F(NumberDrawTest, ResetRequestedWithTheTimerOffSwitchesItOn) {
  run.Reset();
  EXPECT_TRUE(run.view.GetTimerEnabled());
  run.MovingTicks(1);
  EXPECT_FALSE(run.view.GetTimerEnabled());
  EXPECT_FALSE(run.state.ResetPending);
}

}  // namespace
}  // namespace sorvanto
