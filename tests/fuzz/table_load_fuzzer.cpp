// Arbitrary bytes as table.txt. The load ends in the file's own weights with one beep,
// equal weights without one, or a start-up error that names the file; libFuzzer's
// -timeout catches a load that hangs.
#include <fstream>

#include "run_error.h"
#include "weight_table.h"

struct CountingPlatform final : sorvanto::EnginePlatform {
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  float NextRandom() override { return 0; }
  void Beep() override { ++beeps; }
  std::filesystem::path TableFolder() override { return "/tmp/sorvanto-fuzz"; }
  int beeps = 0;
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CountingPlatform platform;
  std::filesystem::create_directories(platform.TableFolder());
  std::ofstream(platform.TableFolder() / "table.txt", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), size);
  sorvanto::DrawState state;
  try {
    sorvanto::LoadWeightTable(state, platform);
  } catch (const sorvanto::RunError& error) {
    if (platform.beeps || !std::string(error.what()).starts_with("table.txt in folder /tmp"))
      std::abort();
    return 0;
  }
  bool sound = platform.beeps <= 1 && state.PickCount <= state.BallCount &&
               state.Weights.size() == std::size_t(state.BallCount) &&
               state.WeightTotal == state.Weights.back();
  for (std::int32_t i = 0; platform.beeps == 0 && i < state.BallCount; ++i)
    sound &= state.Weights[i] == i + 1;
  if (!sound) std::abort();
  return 0;
}
