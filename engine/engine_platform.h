// The system services the draw engine needs: clock, random source, beep and the
// folder that holds table.txt. Injected so that tests and the replay tool run the
// engine deterministically.
#pragma once

#include <filesystem>

namespace sorvanto {

class EnginePlatform {
 public:
  virtual ~EnginePlatform() = default;

  // Seconds since local midnight; seeds the random source at start-up.
  virtual float TimeOfDay() = 0;
  virtual void SeedRandom(float seed) = 0;
  // The next pseudo-random value, at least 0 and less than 1.
  virtual float NextRandom() = 0;
  virtual void Beep() = 0;
  virtual std::filesystem::path TableFolder() = 0;
};

}  // namespace sorvanto
