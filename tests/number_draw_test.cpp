#include "number_draw.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using testing::EngineRun;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using testing::TableText;

const std::string kZeros(24, '0');

TEST(ScaleDigestTest, MapsTheXorOfTheFourWordsOntoTheTotal) {
  EXPECT_EQ(ScaleDigest("00000000" + kZeros, 6), 3);
  EXPECT_EQ(ScaleDigest("00000000" + kZeros, 7), 3);  // 3.5 rounds down
  EXPECT_EQ(ScaleDigest("80000000" + kZeros, 6), 0);
  EXPECT_EQ(ScaleDigest("7FFFFFFF" + kZeros, 6), 5);
  EXPECT_EQ(ScaleDigest("7FFFFFFF" + kZeros, 2147483647), 2147483646);  // in double precision
  EXPECT_EQ(ScaleDigest("FFFFFFFF" + kZeros, 6), 2);                    // the word is signed
  // The words XOR to 12 (3 ^ 5 ^ 6 ^ 12); their sum is 26, and the first word alone is 3.
  EXPECT_EQ(ScaleDigest("8000000300000005000000060000000C", 1 << 30), 3);
}

class NumberDrawTest : public ::testing::Test {
 protected:
  // Puts the run straight into drawing with the given cumulative weights.
  void StartDrawing(std::vector<std::int32_t> weights, std::int32_t pick_count) {
    run.state.Weights = std::move(weights);
    run.state.WeightTotal = run.state.Weights.back();
    run.state.PickCount = pick_count;
    run.state.Picks.assign(static_cast<std::size_t>(pick_count), 0);
    run.state.Progress = 101;
  }

  // One drawing step on a digest whose first word makes ScaleDigest give `value`.
  void DrawValue(std::int32_t value) {
    const double offset_word = std::ceil(value * 4294967296.0 / run.state.WeightTotal);
    char first[9];
    std::snprintf(first, sizeof first, "%08X",
                  static_cast<std::uint32_t>(offset_word) ^ 0x80000000u);
    std::string digest = first + kZeros;
    DrawStep(run.state, run.view, digest, run.state.MoveCount);
  }

  std::string_view Result() { return run.view.GetResultText(); }

  EngineRun run{TableText(3, 2, {"1", "2", "3"})};
};

TEST_F(NumberDrawTest, WarmUpTakes101MovingTicksThenDrawsAt200ms) {
  run.Click();
  run.MovingTicks(100);
  EXPECT_THAT(run.TakeLines(), Contains("SetPercentCaption \"99%\""));
  run.MovingTicks(1);
  EXPECT_THAT(run.TakeLines(),
              ElementsAre(StartsWith("SetDigestCaption"), "ClearProgressBar", "DrawProgressBar 1",
                          "SetPercentCaption \"100%\"", "SetTimerInterval 200"));
  EXPECT_THAT(Result(), IsEmpty());
  run.MovingTicks(1);
  EXPECT_THAT(Result(), ::testing::MatchesRegex(" [123], "));
}

// With one number per combination every number ends its line, and so may repeat.
TEST_F(NumberDrawTest, FindsTheFirstNumberWhoseCumulativeWeightLiesAboveTheValue) {
  StartDrawing({1, 3, 6}, 1);
  for (std::int32_t value = 0; value < 6; ++value) DrawValue(value);
  EXPECT_EQ(Result(), " 1\r\n 2\r\n 2\r\n 3\r\n 3\r\n 3\r\n");
}

TEST_F(NumberDrawTest, CombinationsFillLinesAndRejectRepeats) {
  StartDrawing({1, 2, 3, 4, 5, 6}, 3);
  DrawValue(4);
  DrawValue(1);
  EXPECT_THAT(run.TakeLines(), ElementsAre("SetResultText \" 5, \"", "SetResultCaret 4",
                                           "SetResultText \" 5,  2, \"", "SetResultCaret 8"));
  DrawValue(4);  // 5 again: rejected without a trace
  EXPECT_THAT(run.TakeLines(), IsEmpty());
  DrawValue(0);
  DrawValue(4);  // a new line may hold 5 again
  EXPECT_EQ(Result(), " 5,  2,  1\r\n 5, ");
}

TEST_F(NumberDrawTest, NumbersGoAfterWhatTheUserTyped) {
  StartDrawing({1, 2, 3}, 2);
  run.view.TypeText("my notes\r\n");
  DrawValue(2);
  EXPECT_THAT(run.TakeLines(),
              ElementsAre("SetResultText \"my notes\\r\\n 3, \"", "SetResultCaret 14"));
}

TEST_F(NumberDrawTest, ResetSwitchesTheTimerOnAndWaitsForTheNextMovingTickToStartOver) {
  run.Click();
  run.MovingTicks(102);
  ASSERT_EQ(run.state.PickPos, 1);
  run.Click();
  run.TakeLines();

  RequestReset(run.state, run.view);
  EXPECT_THAT(run.TakeLines(),
              ElementsAre("SetTimerEnabled true", "SetResetCaption \"Hover over yellow to reset.\"",
                          "SetResetEnabled false"));
  run.Tick();  // no movement: nothing happens yet
  EXPECT_THAT(run.TakeLines(), IsEmpty());
  run.MovingTicks(1);
  EXPECT_THAT(run.TakeLines(), ElementsAre(StartsWith("SetDigestCaption \"Current digest: "),
                                           "SetTimerEnabled false", "SetTimerInterval 25",
                                           "SetResetCaption \"Reset\"", "SetResetEnabled true",
                                           "SetDigestCaption \"\"", "SetResultText \"\"",
                                           "ClearProgressBar", "SetPercentCaption \"0%\""));
  EXPECT_EQ(run.state.Digest, "");
  EXPECT_EQ(run.state.PickPos, 0);

  run.Click();
  run.MovingTicks(1);
  EXPECT_THAT(run.TakeLines(), Contains("DrawProgressBar 0")) << "a fresh warm-up";
}

}  // namespace
}  // namespace sorvanto
