#include "entropy_chain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace sorvanto {
namespace {

using ::testing::ElementsAre;
using testing::EngineRun;
using ::testing::IsEmpty;
using testing::TableText;

// MD5 of the texts beside them, from an independent implementation (Python's hashlib).
constexpr char kFirstDigest[] = "E586B9A1DF75C308550D73DF2E4D676B";   // " 1245 900 .375"
constexpr char kSecondDigest[] = "9125A547E4B851B22C2AFE8D9DE338DD";  // kFirstDigest " 1260 900 .5"
constexpr char kThirdDigest[] = "1F152CBFE2E397BAA48DBF19A4C75FCB";   // kSecondDigest " 900-15 .5"

class EntropyChainTest : public ::testing::Test {
 protected:
  EngineRun run{TableText(3, 2, {"1", "2", "3"})};
};

TEST_F(EntropyChainTest, EachMovingTickHashesThePreviousDigestPositionAndRandomValue) {
  run.Click();
  run.Move(1245, 900);
  run.Tick(0.375f);
  EXPECT_THAT(run.TakeLines(),
              ElementsAre("SetTimerEnabled true",
                          std::string("SetDigestCaption \"Current digest: ") + kFirstDigest + "\"",
                          "ClearProgressBar", "DrawProgressBar 0", "SetPercentCaption \"0%\""));
  run.Move(1260, 900);
  run.Tick(0.5f);
  EXPECT_EQ(run.state.Digest, kSecondDigest);
  run.Move(900, -15);
  run.Tick(0.5f);
  EXPECT_EQ(run.state.Digest, kThirdDigest);
}

TEST_F(EntropyChainTest, OnlyTicksWithANewPositionDoWork) {
  run.Click();
  run.Move(1245, 900);
  run.Tick();
  run.TakeLines();

  run.Tick();  // the pointer rests
  run.Move(30, 30);
  run.Move(1245, 900);
  run.Tick();  // it left and came back between two ticks
  EXPECT_THAT(run.TakeLines(), IsEmpty());
  EXPECT_EQ(run.state.MoveCount, 1);

  run.Move(1245, 915);  // one axis is enough
  run.Tick();
  EXPECT_EQ(run.state.MoveCount, 2);
}

TEST_F(EntropyChainTest, ClicksToggleTheTimer) {
  run.Click();
  run.Click();
  EXPECT_THAT(run.TakeLines(), ElementsAre("SetTimerEnabled true", "SetTimerEnabled false"));
}

}  // namespace
}  // namespace sorvanto
