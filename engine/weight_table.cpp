#include "weight_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "numbers.h"
#include "run_error.h"
#include "table_counts.h"
#include "table_reader.h"

namespace sorvanto {
namespace {

// The cumulative weights of the weight lines. Raises a RunError for a line that starts
// with "#", a missing line, or a weight or running total beyond 32 bits; and kBadFileFormat
// for a weight whose number the reader cannot keep whole.
std::vector<std::int32_t> ReadCumulativeWeights(TableReader& reader, std::int32_t ball_count) {
  std::vector<std::int32_t> weights(static_cast<std::size_t>(ball_count));
  std::int64_t total = 0;
  for (auto& cumulative : weights) {
    const auto line = reader.NextLine(LineForm::kWeight);
    if (!line) throw RunError(ErrorNumber::kInputPastEnd, "the file ends before the last weight");
    if (reader.LineTooLong()) {
      reader.Fail(ErrorNumber::kBadFileFormat,
                  "the weight runs on past " + std::to_string(kMaxLineLength) +
                      " characters, not counting blanks and leading zeros, and cannot be read; "
                      "a weight line holds one number, such as 5");
    }
    if (line->starts_with('#'))
      throw RunError(ErrorNumber::kWeightComment, "a weight line starts with #");
    total += RoundToInt32(NumberValue(*line));
    if (total < INT32_MIN || total > INT32_MAX) {
      throw RunError(ErrorNumber::kOverflow, "the weights add up beyond 32 bits");
    }
    cumulative = static_cast<std::int32_t>(total);
  }
  return weights;
}

// How many numbers some draw value 0..total-1 can select: number i is selected by the
// values below its cumulative weight and not below any earlier one.
std::int32_t CountSelectable(const std::vector<std::int32_t>& weights) {
  const std::int64_t total = weights.back();
  std::int64_t floor = 0;
  std::int32_t selectable = 0;
  for (const std::int32_t cumulative : weights) {
    if (floor < std::min<std::int64_t>(cumulative, total)) ++selectable;
    floor = std::max<std::int64_t>(floor, cumulative);
  }
  return selectable;
}

void UseEqualWeights(DrawState& state) {
  for (std::int32_t i = 0; i < state.BallCount; ++i)
    state.Weights[static_cast<std::size_t>(i)] = i + 1;
  state.WeightTotal = state.BallCount;
}

}  // namespace

void LoadWeightTable(DrawState& state, EnginePlatform& platform) {
  TableReader reader(platform.TableFolder());
  ReadCounts(reader, state);
  state.Weights.assign(static_cast<std::size_t>(state.BallCount), 0);
  state.Picks.assign(static_cast<std::size_t>(state.PickCount), 0);

  // A bad weight line is no reason to stop: the table falls back to equal weights, and
  // the missing beep is the sign. So does a table that could never complete a
  // combination (too few numbers with a chance of being drawn).
  try {
    auto weights = ReadCumulativeWeights(reader, state.BallCount);
    const std::int32_t selectable = CountSelectable(weights);
    if (selectable < state.PickCount) {
      throw RunError(ErrorNumber::kInvalidArgument,
                     "only " + std::to_string(selectable) +
                         " numbers have a chance of being drawn, too few for a combination");
    }
    state.WeightTotal = weights.back();
    state.Weights = std::move(weights);
  } catch (const RunError& error) {
    // A weight that cannot be read is no bad weight to pass over: its number is unknown,
    // and start-up stops, as for a first line that cannot be read.
    if (error.Number() == ErrorNumber::kBadFileFormat) throw;
    // The window shows no message; this line is for the person who writes tables.
    std::fprintf(stderr, "sorvanto: %s, line %d: %s; every number has weight 1 instead\n",
                 std::string(kTableName).c_str(), reader.LineNumber(), error.what());
    UseEqualWeights(state);
    return;
  }
  platform.Beep();
}

}  // namespace sorvanto
