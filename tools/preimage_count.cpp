#include "preimage_count.h"

#include <algorithm>
#include <cstdlib>
#include <ranges>

namespace sorvanto {
namespace {

// The smallest word position in lower..2^32 whose result is at least `result`, 2^32
// standing for "none". Positions count words from -2^31 up. The search starts at
// `guess` and walks or gallops from there, so a boundary that lies where exact
// arithmetic puts it costs two calls of the reduction.
std::int64_t Boundary(WordReduction reduce, std::int32_t total, std::int64_t result,
                      std::int64_t lower, std::int64_t guess) {
  const auto reaches = [&](std::int64_t position) {
    return position == kWordCount ||
           reduce(static_cast<std::int32_t>(position - kWordCount / 2), total) >= result;
  };
  std::int64_t low = std::max(lower, guess);
  std::int64_t high = low;
  for (std::int64_t step = 1; low > lower && reaches(low - 1); step *= 2) {
    high = low - 1;
    low = std::max(lower, low - step);
  }
  for (std::int64_t step = 1; !reaches(high); step *= 2) {
    low = high + 1;
    high = std::min(kWordCount, high + step);
  }
  return *std::ranges::partition_point(std::views::iota(low, high),
                                       [&](std::int64_t position) { return !reaches(position); });
}

}  // namespace

PreimageCounts CountPreimages(WordReduction reduce, std::int32_t total) {
  PreimageCounts counts;
  counts.floor_count = kWordCount / total;
  counts.ceiling_count = counts.floor_count + (kWordCount % total != 0 ? 1 : 0);
  counts.fewest = kWordCount;

  std::int64_t start = Boundary(reduce, total, 0, 0, 0);
  counts.out_of_range = start;
  for (std::int64_t result = 0; result < total; ++result) {
    const std::int64_t exact_end = ((result + 1) * kWordCount + total - 1) / total;
    const std::int64_t end = Boundary(reduce, total, result + 1, start, exact_end);
    const std::int64_t count = end - start;
    start = end;
    if (end != exact_end && result + 1 < total) {
      ++counts.moved_starts;
      counts.largest_move = std::max(counts.largest_move, std::abs(end - exact_end));
    }

    counts.fewest = std::min(counts.fewest, count);
    counts.most = std::max(counts.most, count);
    if (count == counts.floor_count) {
      ++counts.results_at_floor;
    } else if (count == counts.ceiling_count) {
      ++counts.results_at_ceiling;
    } else {
      ++counts.other_counts[count];
      if (!counts.first_other_result) counts.first_other_result = static_cast<std::int32_t>(result);
    }
  }
  counts.out_of_range += kWordCount - start;

  const double fair = static_cast<double>(kWordCount) / total;
  counts.largest_relative_bias =
      std::max(fair - static_cast<double>(counts.fewest), static_cast<double>(counts.most) - fair) /
      fair;
  return counts;
}

}  // namespace sorvanto
