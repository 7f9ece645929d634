// The bias of ScaleWord, counted over all 2^32 words for totals that are quick to count;
// bench/scale_bias.cpp counts the README's whole list, up to 2^31 - 1.
#include <gtest/gtest.h>

#include <cmath>

#include "number_draw.h"
#include "preimage_count.h"

namespace sorvanto {
namespace {

class ScaleWordBiasTest : public ::testing::TestWithParam<std::int32_t> {};

// total * 2^32 stays within a double's 53 bits for these totals, so nothing is rounded
// and every result gets floor(2^32 / total) or ceil(2^32 / total) words: the extra word
// goes to exactly 2^32 mod total results.
TEST_P(ScaleWordBiasTest, EveryResultGetsItsFairShareOfTheWords) {
  const std::int32_t total = GetParam();
  const PreimageCounts counts = CountPreimages(ScaleWord, total);
  EXPECT_EQ(counts.out_of_range, 0);
  EXPECT_TRUE(counts.other_counts.empty())
      << "first unfair result: " << counts.first_other_result.value_or(-1);
  EXPECT_EQ(counts.results_at_ceiling, kWordCount % total);
  EXPECT_EQ(counts.moved_starts, 0);
}

INSTANTIATE_TEST_SUITE_P(ExactTotals, ScaleWordBiasTest,
                         ::testing::Values(1, 2, 3, 6, 49, 1000, 65536));

// The count must see the bias of the same scaling in single precision, an easy slip in a
// rewrite: the words reach the fraction in steps of 256, and the top ones round up to
// the total itself.
TEST(PreimageCountTest, CatchesTheBiasOfSinglePrecisionScaling) {
  const auto in_float = [](std::int32_t word, std::int32_t total) {
    const float fraction = (static_cast<float>(word) + 2147483648.0f) / 4294967296.0f;
    return static_cast<std::int32_t>(std::floor(static_cast<float>(total) * fraction));
  };
  const PreimageCounts counts = CountPreimages(in_float, 1000);
  EXPECT_GT(counts.out_of_range, 0);
  EXPECT_FALSE(counts.other_counts.empty());
  EXPECT_GT(counts.moved_starts, 0);
}

}  // namespace
}  // namespace sorvanto
