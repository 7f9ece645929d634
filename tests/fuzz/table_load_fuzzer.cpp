// Arbitrary bytes as table.txt. The load must end in one of three outcomes: the file's
// own weights (with the beep), the equal-weight fallback (without it) or a start-up
// error that names the file; within 100 ms, and with a table the draw can always use.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "draw_state.h"
#include "engine_platform.h"
#include "run_error.h"
#include "weight_table.h"

namespace sorvanto {
namespace {

constexpr auto kTimeLimit = std::chrono::milliseconds(100);

// The processor time of this thread. Unlike the wall clock, it leaves out the time the
// machine gave to other work, which on a shared machine can be more than the load's own.
std::chrono::nanoseconds ThreadTime() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

class CountingPlatform final : public EnginePlatform {
 public:
  explicit CountingPlatform(std::filesystem::path folder) : folder_(std::move(folder)) {}
  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  float NextRandom() override { return 0; }
  void Beep() override { ++beeps; }
  std::filesystem::path TableFolder() override { return folder_; }

  int beeps = 0;

 private:
  std::filesystem::path folder_;
};

// One folder for the whole run, removed when the run ends.
class RunFolder {
 public:
  RunFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("sorvanto-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~RunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& Folder() {
  static const RunFolder folder;
  return folder.Path();
}

// How many numbers some draw value 0..total-1 selects: number i takes the values below
// its cumulative weight that no earlier number took.
std::int64_t Selectable(const DrawState& state) {
  std::int64_t taken = 0;
  std::int64_t count = 0;
  for (const std::int32_t cumulative : state.Weights) {
    if (taken < std::min<std::int64_t>(cumulative, state.WeightTotal)) ++count;
    taken = std::max<std::int64_t>(taken, cumulative);
  }
  return count;
}

void CheckTable(const DrawState& state, int beeps) {
  if (state.BallCount < 1 || state.BallCount > kMaxTableCount || state.PickCount < 1 ||
      state.PickCount > state.BallCount) {
    Fail("counts " + std::to_string(state.BallCount) + "," + std::to_string(state.PickCount));
  }
  if (state.Weights.size() != static_cast<std::size_t>(state.BallCount) ||
      state.Picks.size() != static_cast<std::size_t>(state.PickCount)) {
    Fail("array sizes do not match the counts");
  }
  for (const std::int32_t pick : state.Picks) {
    if (pick != 0) Fail("a pick is not 0 after the load");
  }
  if (state.WeightTotal != state.Weights.back())
    Fail("the total is not the last cumulative weight");
  if (beeps > 1) Fail("more than one beep");
  if (beeps == 0) {
    for (std::int32_t i = 0; i < state.BallCount; ++i) {
      if (state.Weights[static_cast<std::size_t>(i)] != i + 1)
        Fail("the fallback is not equal weights");
    }
  }
  if (state.WeightTotal < 1 || Selectable(state) < state.PickCount) {
    Fail("the table cannot complete a combination");
  }
}

void CheckError(const RunError& error) {
  switch (error.Number()) {
    case ErrorNumber::kFileAccess:
    case ErrorNumber::kBadFileFormat:
    case ErrorNumber::kInputPastEnd:
    case ErrorNumber::kTypeMismatch:
    case ErrorNumber::kOverflow:
    case ErrorNumber::kSubscript:
    case ErrorNumber::kOutOfMemory:
    case ErrorNumber::kInvalidArgument:
      break;
    default:
      Fail("unexpected start-up error " + std::to_string(error.Code()) + ": " + error.what());
  }
  if (std::string_view(error.what()).find("table.txt in folder " + Folder().string()) ==
      std::string_view::npos) {
    Fail(std::string("the error does not name the file: ") + error.what());
  }
}

// Loads the table and checks the outcome; returns how long the load took.
std::chrono::nanoseconds LoadAndCheck() {
  CountingPlatform platform(Folder());
  DrawState state;
  const auto start = ThreadTime();
  try {
    LoadWeightTable(state, platform);
  } catch (const RunError& error) {
    const auto took = ThreadTime() - start;
    if (platform.beeps != 0) Fail("a failed start beeped");
    CheckError(error);
    return took;
  }
  const auto took = ThreadTime() - start;
  CheckTable(state, platform.beeps);
  return took;
}

void CheckLoad(std::string_view bytes) {
  std::ofstream(Folder() / "table.txt", std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  // A slow load must be slow twice: once can be the machine, its caches taken by other work.
  if (LoadAndCheck() > kTimeLimit && LoadAndCheck() > kTimeLimit) {
    Fail("the load took more than 100 ms");
  }
}

}  // namespace
}  // namespace sorvanto

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvanto::CheckLoad({reinterpret_cast<const char*>(data), size});
  return 0;
}
