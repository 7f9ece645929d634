#include "number_draw.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "numbers.h"
#include "run_error.h"

namespace sorvanto {
namespace {

void CarryOutReset(DrawState& state, DrawView& view, std::string& digest,
                   std::int32_t& move_count) {
  view.SetTimerEnabled(false);
  view.SetTimerInterval(25);
  state.ResetPending = false;
  view.SetResetCaption("Reset");
  view.SetResetEnabled(true);
  view.SetDigestCaption("");
  view.SetResultText("");
  view.ClearProgressBar();
  view.SetPercentCaption("0%");
  state.PickPos = 0;
  move_count = 0;
  state.Progress = 0;
  digest.clear();
}

void AdvanceWarmUp(DrawState& state, DrawView& view) {
  view.ClearProgressBar();
  view.DrawProgressBar(state.Progress / 100.0);
  view.SetPercentCaption(NumberText(std::int32_t{state.Progress}).substr(1) + "%");
  if (state.Progress == 100) view.SetTimerInterval(200);
  ++state.Progress;
}

// The first number whose cumulative weight lies above `value`. The load guarantees a
// total of at least 1, so every value below the total finds one.
std::int32_t FindNumber(const DrawState& state, std::int32_t value) {
  const auto found = std::find_if(state.Weights.begin(), state.Weights.end(),
                                  [value](std::int32_t cumulative) { return value < cumulative; });
  if (found == state.Weights.end()) {
    throw RunError(ErrorNumber::kSubscript, "the draw value " + std::to_string(value) +
                                                " lies above every cumulative weight");
  }
  return static_cast<std::int32_t>(found - state.Weights.begin()) + 1;
}

void DrawNumber(DrawState& state, DrawView& view, const std::string& digest) {
  const std::int32_t number = FindNumber(state, ScaleDigest(digest, state.WeightTotal));
  const auto placed = state.Picks.begin() + state.PickPos;
  if (std::find(state.Picks.begin(), placed, number) != placed) return;

  *placed = number;
  const bool complete = state.PickPos + 1 == state.PickCount;
  state.PickPos = complete ? 0 : state.PickPos + 1;

  const std::string_view current = view.GetResultText();
  const std::string number_text = NumberText(number);
  const std::string_view separator = complete ? "\r\n" : ", ";
  std::string text;
  text.reserve(current.size() + number_text.size() + separator.size());
  text.append(current).append(number_text).append(separator);
  view.SetResultText(text);
  view.SetResultCaret(static_cast<std::int32_t>(view.GetResultText().size()));
}

}  // namespace

void RequestReset(DrawState& state, DrawView& view) {
  state.ResetPending = true;
  view.SetTimerEnabled(true);
  view.SetResetCaption("Hover over yellow to reset.");
  view.SetResetEnabled(false);
}

void DrawStep(DrawState& state, DrawView& view, std::string& digest, std::int32_t& move_count) {
  if (state.ResetPending) {
    CarryOutReset(state, view, digest, move_count);
  } else if (state.Progress <= 100) {
    AdvanceWarmUp(state, view);
  } else {
    DrawNumber(state, view, digest);
  }
}

std::int32_t ScaleDigest(std::string_view digest, std::int32_t total) {
  std::int32_t acc = 0;
  char chunk[10] = {'&', 'H'};
  for (std::size_t p = 0; p < digest.size(); p += 8) {
    const std::string_view digits = digest.substr(p, 8);
    std::copy(digits.begin(), digits.end(), chunk + 2);
    acc ^= RoundToInt32(NumberValue(std::string_view(chunk, digits.size() + 2)));
  }
  return ScaleWord(acc, total);
}

std::int32_t ScaleWord(std::int32_t word, std::int32_t total) {
  const double fraction = (word + 2147483648.0) / 4294967296.0;
  return static_cast<std::int32_t>(std::floor(total * fraction));
}

}  // namespace sorvanto
