// An EnginePlatform for window tests: table.txt in a temporary folder, scripted random
// values, and a random source that can be made to fail.
#pragma once

#include <QTemporaryDir>
#include <deque>
#include <fstream>
#include <optional>
#include <string>

#include "engine_platform.h"
#include "run_error.h"

namespace sorvanto {

// 49 numbers of weight 1, six to a combination.
inline std::string StandardTable() {
  std::string table = "49,6\r\n";
  for (int ball = 0; ball < 49; ++ball) table += "1\r\n";
  return table;
}

class FakeEnginePlatform final : public EnginePlatform {
 public:
  // Without a table the folder holds no table.txt.
  explicit FakeEnginePlatform(const std::optional<std::string>& table = StandardTable()) {
    if (table) std::ofstream(TableFolder() / "table.txt", std::ios::binary) << *table;
  }

  float TimeOfDay() override { return 0; }
  void SeedRandom(float) override {}
  // The scripted values, then steps of 1/64 round the unit interval.
  float NextRandom() override {
    if (failRandom) throw RunError(ErrorNumber::kOverflow, "The scripted random value failed.");
    if (randoms.empty()) return static_cast<float>(step_++ % 64) / 64;
    const float value = randoms.front();
    randoms.pop_front();
    return value;
  }
  void Beep() override {}
  std::filesystem::path TableFolder() override { return folder_.path().toStdString(); }

  std::deque<float> randoms;
  bool failRandom = false;

 private:
  QTemporaryDir folder_;
  int step_ = 0;
};

}  // namespace sorvanto
