#include "entropy_chain.h"

#include <limits>
#include <string>

#include "md5.h"
#include "number_draw.h"
#include "numbers.h"

namespace sorvanto {
namespace {

constexpr std::string_view kCaptionPrefix = "Current digest: ";

}  // namespace

void RecordPointer(DrawState& state, float x, float y) {
  state.MouseX = x;
  state.MouseY = y;
}

void ToggleTicking(DrawView& view) { view.SetTimerEnabled(!view.GetTimerEnabled()); }

void OnTick(DrawState& state, DrawView& view, EnginePlatform& platform) {
  if (state.LastX == state.MouseX && state.LastY == state.MouseY) return;
  state.LastX = state.MouseX;
  state.LastY = state.MouseY;

  const float random = platform.NextRandom();
  const std::string x = NumberText(state.MouseX);
  const std::string y = NumberText(state.MouseY);
  const std::string r = NumberText(random);
  std::string text;
  text.reserve(state.Digest.size() + x.size() + y.size() + r.size());
  text.append(state.Digest).append(x).append(y).append(r);
  state.Digest = DigestText(text);

  std::string caption;
  caption.reserve(kCaptionPrefix.size() + state.Digest.size());
  caption.append(kCaptionPrefix).append(state.Digest);
  view.SetDigestCaption(caption);

  // Nothing but the reset reads the count; after 2^31 - 1 moves without a reset (years of
  // movement) it stays there rather than stopping the program.
  if (state.MoveCount < std::numeric_limits<std::int32_t>::max()) ++state.MoveCount;
  DrawStep(state, view, state.Digest, state.MoveCount);
}

}  // namespace sorvanto
