// A drawing tick of the engine with a view that does nothing, against the digest of
// the same kind of text alone: what the engine adds to the MD5 work of a tick.
#include <benchmark/benchmark.h>

#include <string>

#include "entropy_chain.h"
#include "md5.h"

namespace sorvanto {
namespace {

class NullView final : public DrawView {
 public:
  void SetTimerEnabled(bool) override {}
  bool GetTimerEnabled() override { return true; }
  void SetTimerInterval(std::int32_t) override {}
  void SetDigestCaption(std::string_view) override {}
  void SetPercentCaption(std::string_view) override {}
  void ClearProgressBar() override {}
  void DrawProgressBar(double) override {}
  std::string_view GetResultText() override { return {}; }
  void SetResultText(std::string_view) override {}
  void SetResultCaret(std::int32_t) override {}
  void SetResetCaption(std::string_view) override {}
  void SetResetEnabled(bool) override {}
};

class FixedPlatform final : public EnginePlatform {
 public:
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  float NextRandom() override { return 0.3750001f; }
  void Beep() override {}
  std::filesystem::path TableFolder() override { return {}; }
};

// A 49-number table with six numbers per combination, past its warm-up.
DrawState DrawingState() {
  DrawState state;
  state.BallCount = 49;
  state.PickCount = 6;
  for (std::int32_t i = 1; i <= 49; ++i) state.Weights.push_back(i);
  state.WeightTotal = 49;
  state.Picks.assign(6, 0);
  state.Progress = 101;
  state.Digest = std::string(32, 'A');
  return state;
}

void BM_DrawingTick(benchmark::State& bench) {
  NullView view;
  FixedPlatform platform;
  DrawState state = DrawingState();
  float x = 0;
  for (auto _ : bench) {
    x = x < 9000 ? x + 15 : 0;
    RecordPointer(state, x, 900);
    OnTick(state, view, platform);
  }
}
BENCHMARK(BM_DrawingTick);

// The text a tick hashes: the previous digest, the pointer position and the random value.
void BM_DigestTextOfTick(benchmark::State& bench) {
  const std::string text = std::string(32, 'A') + " 4500 900 .3750001";
  for (auto _ : bench) benchmark::DoNotOptimize(DigestText(text));
}
BENCHMARK(BM_DigestTextOfTick);

}  // namespace
}  // namespace sorvanto
