#include "system_platform.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <system_error>
#include <utility>

#include "host_system.h"
#include "run_error.h"

namespace sorvanto {
namespace {

// 256 bits from the system's source, mixed with the time of day by std::seed_seq.
constexpr std::size_t kSystemSeedWords = 8;

}  // namespace

SystemPlatform::SystemPlatform(std::function<void()> beep) : beep_(std::move(beep)) {}

float SystemPlatform::TimeOfDay() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const std::tm local = LocalTime(seconds);
  const auto fraction = duration<double>(now - floor<std::chrono::seconds>(now)).count();
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

void SystemPlatform::SeedRandom(float seed) {
  std::random_device system_source(kSystemRandomSource);
  std::array<std::uint32_t, 1 + kSystemSeedWords> material{std::bit_cast<std::uint32_t>(seed)};
  std::generate(material.begin() + 1, material.end(), std::ref(system_source));
  std::seed_seq sequence(material.begin(), material.end());
  generator_.seed(sequence);
}

float SystemPlatform::NextRandom() {
  constexpr float kScale = 1.0f / (1 << 24);
  return static_cast<float>(generator_() >> 8) * kScale;
}

void SystemPlatform::Beep() {
  if (beep_) beep_();
}

std::filesystem::path SystemPlatform::TableFolder() {
  std::error_code error;
  auto folder = std::filesystem::current_path(error);
  // A folder deleted after the program was started in it has no path.
  if (error) {
    throw RunError(ErrorNumber::kFileAccess,
                   "the folder the program starts in, which holds table.txt, cannot be read: " +
                       error.message());
  }
  return folder;
}

}  // namespace sorvanto
