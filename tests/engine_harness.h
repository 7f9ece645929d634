// A whole engine run without a window: a table.txt in a fresh folder, a platform whose
// random values the test chooses, and the replay tool's TraceView recording every
// window call (and the beep) as one line, so tests compare runs call by call.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "draw_state.h"
#include "engine_platform.h"
#include "trace_view.h"

namespace sorvanto::testing {

// A folder of its own under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::string& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

class FakePlatform final : public EnginePlatform {
 public:
  FakePlatform(TraceView& view, std::filesystem::path folder)
      : view_(view), folder_(std::move(folder)) {}

  float TimeOfDay() override { return 43200.5f; }
  void SeedRandom(float seed) override { seeds.push_back(seed); }
  float NextRandom() override {
    ++random_calls;
    return next_random;
  }
  void Beep() override { view_.Write("Beep"); }
  std::filesystem::path TableFolder() override { return folder_; }

  float next_random = 0.5f;
  int random_calls = 0;
  std::vector<float> seeds;

 private:
  TraceView& view_;
  std::filesystem::path folder_;
};

// The lines of a table.txt with CR LF line ends: the counts, then one weight a line.
std::string TableText(std::int32_t ball_count, std::int32_t pick_count,
                      const std::vector<std::string>& weight_lines);

struct EngineRun {
  // Starts the engine on `table` (the bytes of table.txt) and forgets the start-up lines.
  explicit EngineRun(std::string_view table);

  void Move(float x, float y);
  void Click();
  // A timer tick as the window delivers it: only while the timer is on.
  void Tick(float random = 0.5f);
  // Moving ticks, each at a new position, until `count` ticks did work.
  void MovingTicks(int count);
  void Reset();
  // The lines recorded since the last call, which clears them.
  std::vector<std::string> TakeLines();

  TempFolder folder;
  std::vector<std::string> lines;
  TraceView view{[this](std::string_view line) { lines.emplace_back(line); }};
  FakePlatform platform{view, folder.Path()};
  DrawState state;

 private:
  float next_x_ = 15;
};

}  // namespace sorvanto::testing
