// How many of the 2^32 folded words a reduction such as ScaleWord sends to each result,
// counted exactly without visiting every word: for a reduction that never decreases,
// the words of one result form one run, so finding where each run starts is enough.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace sorvanto {

// Sends a 32-bit word to a result that should lie in 0..total-1.
using WordReduction = std::int32_t (*)(std::int32_t word, std::int32_t total);

inline constexpr std::int64_t kWordCount = std::int64_t{1} << 32;

struct PreimageCounts {
  // floor(2^32 / total) and ceil(2^32 / total): an exact reduction gives every result
  // one of these two counts, and no other.
  std::int64_t floor_count = 0;
  std::int64_t ceiling_count = 0;
  std::int64_t results_at_floor = 0;
  std::int64_t results_at_ceiling = 0;
  // Results with any other count: count -> how many results have it.
  std::map<std::int64_t, std::int64_t> other_counts;
  std::optional<std::int32_t> first_other_result;
  std::int64_t fewest = 0;
  std::int64_t most = 0;
  // The largest |count - 2^32/total| / (2^32/total) over all results.
  double largest_relative_bias = 0;
  // Words sent below 0 or to total and above.
  std::int64_t out_of_range = 0;
  // Where results start elsewhere than exact arithmetic would start them: how many do,
  // and by how many words at most. Rounding can move a start and still leave every
  // count fair.
  std::int64_t moved_starts = 0;
  std::int64_t largest_move = 0;
};

// Counts for total >= 1. `reduce` must never decrease as the word grows (taken as
// signed); the count is exact for every such reduction, fair or not.
PreimageCounts CountPreimages(WordReduction reduce, std::int32_t total);

}  // namespace sorvanto
