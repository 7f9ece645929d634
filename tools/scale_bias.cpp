// The exact bias of ScaleWord, the reduction behind every drawn number: for each total
// in the list, how many of the 2^32 folded words land on each result, printed as the
// Markdown table that the README shows.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "number_draw.h"
#include "preimage_count.h"

namespace sorvanto {
namespace {

constexpr std::int32_t kTotals[] = {1, 2, 3, 6, 49, 1000, 65536, 2147483647};

std::string OtherCounts(const PreimageCounts& counts) {
  if (counts.other_counts.empty()) return "none";
  std::string text;
  for (const auto& [count, results] : counts.other_counts) {
    if (!text.empty()) text += ", ";
    text += std::to_string(results) + " with " + std::to_string(count);
  }
  return text + " (first: result " + std::to_string(*counts.first_other_result) + ")";
}

std::string MovedStarts(const PreimageCounts& counts) {
  if (counts.moved_starts == 0) return "none";
  return std::to_string(counts.moved_starts) + ", by at most " +
         std::to_string(counts.largest_move) + (counts.largest_move == 1 ? " word" : " words");
}

}  // namespace
}  // namespace sorvanto

int main() {
  using namespace sorvanto;
  std::printf(
      "| total | 2^32 / total | results with floor / ceiling | results with another count | "
      "fewest .. most | largest relative bias | words out of range | "
      "result starts moved by rounding |\n"
      "|---:|---:|---|---|---|---:|---:|---|\n");
  for (const std::int32_t total : kTotals) {
    const PreimageCounts counts = CountPreimages(ScaleWord, total);
    std::printf("| %" PRId32 " | %.6f | %" PRId64 " with %" PRId64 " / %" PRId64 " with %" PRId64
                " | %s | %" PRId64 " .. %" PRId64 " | %.3g | %" PRId64 " | %s |\n",
                total, static_cast<double>(kWordCount) / total, counts.results_at_floor,
                counts.floor_count, counts.results_at_ceiling, counts.ceiling_count,
                OtherCounts(counts).c_str(), counts.fewest, counts.most,
                counts.largest_relative_bias, counts.out_of_range, MovedStarts(counts).c_str());
    std::fflush(stdout);
  }
}
