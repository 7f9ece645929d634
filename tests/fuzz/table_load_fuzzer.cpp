// Arbitrary bytes as table.txt. The load must end in one of three outcomes: the file's
// own weights (with the beep), the equal-weight fallback (without it) or a start-up
// error that names the file; within 100 ms, and with a table the draw can always use.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "draw_state.h"
#include "engine_platform.h"
#include "run_error.h"
#include "weight_table.h"

namespace sorvanto {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

// One folder for the whole run, removed when the run ends.
struct RunFolder {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("sorvanto-fuzz-" + std::to_string(::getpid()));
  RunFolder() { std::filesystem::create_directories(path); }
  ~RunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
} run_folder;

class CountingPlatform final : public EnginePlatform {
 public:
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  float NextRandom() override { return 0; }
  void Beep() override { ++beeps; }
  std::filesystem::path TableFolder() override { return run_folder.path; }

  int beeps = 0;
};

void CheckTable(const DrawState& state, int beeps) {
  if (state.BallCount < 1 || state.BallCount > kMaxTableCount || state.PickCount < 1 ||
      state.PickCount > state.BallCount ||
      state.Weights.size() != static_cast<std::size_t>(state.BallCount) ||
      state.Picks != std::vector<std::int32_t>(static_cast<std::size_t>(state.PickCount), 0)) {
    Fail("counts " + std::to_string(state.BallCount) + "," + std::to_string(state.PickCount) +
         " or the arrays made for them are wrong");
  }
  if (state.WeightTotal != state.Weights.back()) Fail("the total is not the last weight");
  if (beeps > 1) Fail("more than one beep");
  // Without the beep, the table is the equal-weight fallback.
  for (std::int32_t i = 0; beeps == 0 && i < state.BallCount; ++i) {
    if (state.Weights[static_cast<std::size_t>(i)] != i + 1)
      Fail("the fallback is not equal weights");
  }
  // Some draw value 0..total-1 must select enough numbers: number i takes the values
  // below its cumulative weight that no earlier number took.
  std::int64_t taken = 0;
  std::int32_t selectable = 0;
  for (const std::int32_t cumulative : state.Weights) {
    if (taken < std::min<std::int64_t>(cumulative, state.WeightTotal)) ++selectable;
    taken = std::max<std::int64_t>(taken, cumulative);
  }
  if (state.WeightTotal < 1 || selectable < state.PickCount) {
    Fail("the table cannot complete a combination");
  }
}

void CheckError(const RunError& error) {
  constexpr ErrorNumber kStartUpErrors[] = {
      ErrorNumber::kFileAccess,   ErrorNumber::kBadFileFormat,  ErrorNumber::kInputPastEnd,
      ErrorNumber::kTypeMismatch, ErrorNumber::kOverflow,       ErrorNumber::kSubscript,
      ErrorNumber::kOutOfMemory,  ErrorNumber::kInvalidArgument};
  if (std::find(std::begin(kStartUpErrors), std::end(kStartUpErrors), error.Number()) ==
      std::end(kStartUpErrors)) {
    Fail("unexpected start-up error " + std::to_string(error.Code()) + ": " + error.what());
  }
  if (std::string_view(error.what()).find("table.txt in folder " + run_folder.path.string()) ==
      std::string_view::npos) {
    Fail(std::string("the error does not name the file: ") + error.what());
  }
}

// Loads the table, checks the outcome and tells whether the load took more than 100 ms of
// processor time, which unlike the wall clock leaves out the time given to other work.
bool LoadIsSlow() {
  CountingPlatform platform;
  DrawState state;
  const std::clock_t start = std::clock();
  try {
    LoadWeightTable(state, platform);
  } catch (const RunError& error) {
    const bool slow = std::clock() - start > CLOCKS_PER_SEC / 10;
    if (platform.beeps != 0) Fail("a failed start beeped");
    CheckError(error);
    return slow;
  }
  const bool slow = std::clock() - start > CLOCKS_PER_SEC / 10;
  CheckTable(state, platform.beeps);
  return slow;
}

}  // namespace
}  // namespace sorvanto

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ofstream(sorvanto::run_folder.path / "table.txt", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  // A slow load must be slow twice: once can be the machine, its caches taken by other work.
  if (sorvanto::LoadIsSlow() && sorvanto::LoadIsSlow()) {
    sorvanto::Fail("the load took more than 100 ms");
  }
  return 0;
}
