// The engine's services on a real machine: the local clock, a Mersenne Twister
// seeded from the clock and the operating system's random source, table.txt from the
// current directory, and a beep supplied by the user interface.
#pragma once

#include <functional>
#include <random>

#include "engine_platform.h"

namespace sorvanto {

class SystemPlatform final : public EnginePlatform {
 public:
  explicit SystemPlatform(std::function<void()> beep);

  float TimeOfDay() override;
  void SeedRandom(float seed) override;
  float NextRandom() override;
  void Beep() override;
  std::filesystem::path TableFolder() override;

 private:
  std::function<void()> beep_;
  // MT19937: period 2^19937 - 1, equidistributed in 623 dimensions; its top 24 bits
  // give every float of the form k / 2^24 in [0, 1). Its whole state comes from
  // SeedRandom, so its output cannot be foretold from the time of day alone.
  std::mt19937 generator_;
};

}  // namespace sorvanto
