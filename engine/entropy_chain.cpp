#include "entropy_chain.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "md5.h"
#include "number_draw.h"
#include "numbers.h"

namespace sorvanto {
namespace {

constexpr std::string_view kCaptionPrefix = "Current digest: ";
constexpr std::size_t kDigestLength = 32;

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

  // Shown on every moving tick, so it is put together on the stack.
  std::array<char, kCaptionPrefix.size() + kDigestLength> caption;
  std::copy(state.Digest.begin(), state.Digest.end(),
            std::copy(kCaptionPrefix.begin(), kCaptionPrefix.end(), caption.begin()));
  view.SetDigestCaption(std::string_view(caption.data(), caption.size()));

  // Nothing but the reset reads the count; after 2^31 - 1 moves without a reset (years of
  // movement) it stays there rather than stopping the program.
  if (state.MoveCount < std::numeric_limits<std::int32_t>::max()) ++state.MoveCount;
  DrawStep(state, view, state.Digest, state.MoveCount);
}

}  // namespace sorvanto
