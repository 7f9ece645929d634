#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::EngineRun;
using testing::TableText;

// Digests below are MD5 of the texts named beside them, computed with an independent
// MD5 implementation (Python's hashlib) and written in upper case.
constexpr char kFirstDigest[] = "E586B9A1DF75C308550D73DF2E4D676B";   // " 1245 900 .375"
constexpr char kSecondDigest[] = "9125A547E4B851B22C2AFE8D9DE338DD";  // kFirstDigest " 1260 900 .5"
constexpr char kNegativeDigest[] = "1014B7EC58B26AFDC55AEDE95D90F8BD";  // " 900-15 .5"

class EntropyChainTest : public ::testing::Test {
 protected:
  EngineRun run{TableText(3, 2, {"1", "2", "3"})};
};

TEST_F(EntropyChainTest, FirstMovingTickHashesPositionAndRandomValue) {
  run.Click();
  run.Move(1245, 900);
  run.Tick(0.375f);
  EXPECT_THAT(run.TakeLines(),
              ElementsAre("SetTimerEnabled true",
                          std::string("SetDigestCaption \"Current digest: ") + kFirstDigest + "\"",
                          "ClearProgressBar", "DrawProgressBar 0", "SetPercentCaption \"0%\""));
  EXPECT_EQ(run.state.Digest, kFirstDigest);
  EXPECT_EQ(run.state.MoveCount, 1);
}

TEST_F(EntropyChainTest, EachDigestChainsOnThePreviousOne) {
  run.Click();
  run.Move(1245, 900);
  run.Tick(0.375f);
  run.Move(1260, 900);
  run.Tick(0.5f);
  EXPECT_EQ(run.state.Digest, kSecondDigest);
  EXPECT_EQ(run.state.MoveCount, 2);
}

TEST_F(EntropyChainTest, NegativeCoordinatesKeepTheirSignWithoutABlank) {
  run.Click();
  run.Move(900, -15);
  run.Tick(0.5f);
  EXPECT_EQ(run.state.Digest, kNegativeDigest);
}

TEST_F(EntropyChainTest, OnlyTicksWithANewPositionDoWork) {
  run.Click();
  run.Move(1245, 900);
  run.Tick(0.375f);
  const DrawState before = run.state;
  run.TakeLines();
  const int random_calls = run.platform.random_calls;

  run.Tick();  // the pointer rests
  run.Move(30, 30);
  run.Move(1245, 900);
  run.Tick();  // it left and came back between two ticks
  EXPECT_THAT(run.TakeLines(), IsEmpty());
  EXPECT_EQ(run.platform.random_calls, random_calls);
  EXPECT_EQ(run.state.Digest, before.Digest);
  EXPECT_EQ(run.state.MoveCount, before.MoveCount);

  run.Move(1245, 915);  // one axis is enough
  run.Tick();
  EXPECT_EQ(run.state.MoveCount, before.MoveCount + 1);
}

TEST_F(EntropyChainTest, PointerMovesAloneChangeNothingVisible) {
  run.Move(1245, 900);
  run.Move(1, 2);
  EXPECT_THAT(run.TakeLines(), IsEmpty());
  EXPECT_EQ(run.state.MouseX, 1);
  EXPECT_EQ(run.state.MouseY, 2);
}

TEST_F(EntropyChainTest, ClicksToggleTheTimer) {
  run.Click();
  run.Click();
  EXPECT_THAT(run.TakeLines(), ElementsAre("SetTimerEnabled true", "SetTimerEnabled false"));
  run.Move(1245, 900);
  run.Tick();
  EXPECT_THAT(run.TakeLines(), IsEmpty()) << "no tick reaches the engine while the timer is off";
}

}  // namespace
}  // namespace sorvanto
