#include "engine_harness.h"

#include <fstream>
#include <random>

#include "entropy_chain.h"
#include "number_draw.h"
#include "weight_table.h"

namespace sorvanto::testing {

TempFolder::TempFolder() {
  std::random_device entropy;
  path_ = std::filesystem::temp_directory_path() / ("sorvanto-test-" + std::to_string(entropy()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, std::string_view bytes) const {
  std::ofstream(path_ / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TableText(std::int32_t ball_count, std::int32_t pick_count,
                      const std::vector<std::string>& weight_lines) {
  std::string text = std::to_string(ball_count) + "," + std::to_string(pick_count) + "\r\n";
  for (const auto& line : weight_lines) text += line + "\r\n";
  return text;
}

EngineRun::EngineRun(std::string_view table) {
  folder.Write("table.txt", table);
  StartEngine(state, view, platform);
  lines.clear();
}

void EngineRun::Move(float x, float y) { RecordPointer(state, x, y); }

void EngineRun::Click() { ToggleTicking(view); }

void EngineRun::Tick(float random) {
  platform.next_random = random;
  if (view.GetTimerEnabled()) OnTick(state, view, platform);
}

void EngineRun::MovingTicks(int count) {
  for (int i = 0; i < count; ++i) {
    Move(next_x_, 900);
    next_x_ += 15;
    Tick(static_cast<float>(i % 997) / 997.0f);
  }
}

void EngineRun::Reset() {
  if (view.ResetEnabled()) RequestReset(state, view);
}

std::vector<std::string> EngineRun::TakeLines() {
  std::vector<std::string> taken;
  taken.swap(lines);
  return taken;
}

}  // namespace sorvanto::testing
