// The engine without a window: table.txt in a folder of its own, random values stepping
// round the unit interval, and the replay tool's TraceView recording every window call
// (and the beep) as one line, so that tests compare runs call by call.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine_start.h"
#include "entropy_chain.h"
#include "trace_view.h"

namespace sorvanto::testing {

// A table.txt with CR LF line ends: the counts, then one weight a line.
inline std::string TableText(int ball_count, int pick_count,
                             const std::vector<std::string>& weights) {
  std::string text = std::to_string(ball_count) + "," + std::to_string(pick_count) + "\r\n";
  for (const auto& weight : weights) text += weight + "\r\n";
  return text;
}

struct EngineRun final : EnginePlatform {
  // Given `table`, the bytes of table.txt, starts the engine and forgets the start-up lines.
  explicit EngineRun(std::string_view table = {}) {
    std::filesystem::create_directories(folder);
    if (table.empty()) return;
    Write(table);
    StartEngine(state, view, *this);
    lines.clear();
  }
  ~EngineRun() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  float TimeOfDay() override { return 43200.5f; }
  void SeedRandom(float seed) override { seeds.push_back(seed); }
  float NextRandom() override { return next_random; }
  void Beep() override { view.Write("Beep"); }
  std::filesystem::path TableFolder() override { return folder; }

  void Write(std::string_view table) const {
    std::ofstream(folder / "table.txt", std::ios::binary) << table;
  }
  void Click() { ToggleTicking(view); }
  // Timer ticks, delivered only while the timer is on as the window does, each at a new
  // position so that every one does work.
  void MovingTicks(int count) {
    for (int i = 0; i < count; ++i) {
      RecordPointer(state, next_x += 15, 900);
      next_random = static_cast<float>(i % 997) / 997.0f;
      if (view.GetTimerEnabled()) OnTick(state, view, *this);
    }
  }

  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("sorvanto-test-" + std::to_string(std::random_device()()));
  std::vector<std::string> lines;
  TraceView view{[this](std::string_view line) { lines.emplace_back(line); }};
  DrawState state;
  float next_random = 0;
  float next_x = 0;
  std::vector<float> seeds;
};

}  // namespace sorvanto::testing
