#include "system_platform.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <utility>

namespace sorvanto {
namespace {

// Which source std::random_device reads. libstdc++'s "default" prefers the processor's
// RDSEED or RDRAND instruction where there is one: with GCC 12 on Debian 12 and a CPU
// that has RDSEED, strace shows 1000 values from "default" making no system call,
// while "getentropy" makes one getrandom(2) call per value, which is the kernel's
// generator. On Windows, "rand_s" is the system's generator (RtlGenRandom). entropy()
// is no help in telling them apart: libstdc++ reports 32 for every one of them.
#ifdef _WIN32
constexpr char kSystemSourceToken[] = "rand_s";
#else
constexpr char kSystemSourceToken[] = "getentropy";
#endif

// 256 bits from the system's source, mixed with the time of day by std::seed_seq.
constexpr std::size_t kSystemSeedWords = 8;

}  // namespace

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
  std::random_device system_source(kSystemSourceToken);
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

std::filesystem::path SystemPlatform::TableFolder() { return std::filesystem::current_path(); }

}  // namespace sorvanto
