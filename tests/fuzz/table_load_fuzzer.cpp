// Arbitrary bytes as table.txt. The load must end in one of three outcomes: the file's
// own weights (with one beep), equal weights (without one) or a start-up error that
// names the file; within 100 ms of processor time, twice over, so a busy machine alone
// does not fail it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "run_error.h"
#include "weight_table.h"

namespace sorvanto {
namespace {

const std::filesystem::path kFolder =
    std::filesystem::temp_directory_path() / ("sorvanto-fuzz-" + std::to_string(::getpid()));
struct RemovedAtExit {
  ~RemovedAtExit() {
    std::error_code ignored;
    std::filesystem::remove_all(kFolder, ignored);
  }
} removed_at_exit;

struct CountingPlatform final : EnginePlatform {
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  float NextRandom() override { return 0; }
  void Beep() override { ++beeps; }
  std::filesystem::path TableFolder() override { return kFolder; }
  int beeps = 0;
};

void Check(bool sound, const std::string& what) {
  if (sound) return;
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

bool LoadIsSlow() {
  CountingPlatform platform;
  DrawState state;
  const std::clock_t start = std::clock();
  try {
    LoadWeightTable(state, platform);
    const auto& w = state.Weights;
    Check(state.PickCount >= 1 && state.PickCount <= state.BallCount && platform.beeps <= 1 &&
              w.size() == static_cast<std::size_t>(state.BallCount) &&
              state.WeightTotal == w.back(),
          "counts, arrays, total or beeps are wrong");
    for (std::size_t i = 0; platform.beeps == 0 && i < w.size(); ++i) {
      Check(w[i] == static_cast<std::int32_t>(i + 1), "the fallback is not equal weights");
    }
  } catch (const RunError& error) {
    Check(platform.beeps == 0 && error.Number() != ErrorNumber::kFileNotFound &&
              std::string(error.what()).starts_with("table.txt in folder " + kFolder.string()),
          std::string("a failed start beeped or misreports: ") + error.what());
  }
  return std::clock() - start > CLOCKS_PER_SEC / 10;
}

}  // namespace
}  // namespace sorvanto

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::filesystem::create_directories(sorvanto::kFolder);
  std::ofstream(sorvanto::kFolder / "table.txt", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  sorvanto::Check(!sorvanto::LoadIsSlow() || !sorvanto::LoadIsSlow(), "the load took 100 ms");
  return 0;
}
