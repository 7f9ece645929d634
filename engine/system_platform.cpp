#include "system_platform.h"

#include <bit>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <utility>

namespace sorvanto {

SystemPlatform::SystemPlatform(std::function<void()> beep) : beep_(std::move(beep)) {}

float SystemPlatform::TimeOfDay() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto fraction = duration<double>(now - floor<std::chrono::seconds>(now)).count();
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

void SystemPlatform::SeedRandom(float seed) {
  generator_.seed(std::bit_cast<std::uint32_t>(seed));
}

float SystemPlatform::NextRandom() {
  constexpr float kScale = 1.0f / (1 << 24);
  return static_cast<float>(generator_() >> 8) * kScale;
}

void SystemPlatform::Beep() {
  if (beep_) beep_();
}

std::filesystem::path SystemPlatform::TableFolder() { return std::filesystem::current_path(); }

}  // namespace sorvanto
