#include "system_platform.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace sorvanto {
namespace {

std::array<float, 8> FirstValues(SystemPlatform& platform) {
  std::array<float, 8> values{};
  for (float& value : values) value = platform.NextRandom();
  return values;
}

// The time of day is guessable to the second, so it must not decide the sequence:
// two runs started in the same instant still draw differently.
TEST(SystemPlatformTest, SameTimeOfDayStillGivesDifferentSequences) {
  SystemPlatform first(nullptr);
  SystemPlatform second(nullptr);
  first.SeedRandom(43200.5f);
  second.SeedRandom(43200.5f);
  EXPECT_NE(FirstValues(first), FirstValues(second));

  const std::array<float, 8> before = FirstValues(first);
  first.SeedRandom(43200.5f);
  EXPECT_NE(FirstValues(first), before);
}

// Each value is k / 2^24 in [0, 1), and over many values each of the 24 bits of k is
// seen both set and clear.
TEST(SystemPlatformTest, ValuesCarry24RandomBitsBelowOne) {
  SystemPlatform platform(nullptr);
  platform.SeedRandom(platform.TimeOfDay());
  std::uint32_t any_set = 0;
  std::uint32_t all_set = 0xFFFFFF;
  for (int i = 0; i < 10'000; ++i) {
    const float value = platform.NextRandom();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    const float scaled = std::ldexp(value, 24);
    ASSERT_EQ(scaled, std::floor(scaled)) << value;
    any_set |= static_cast<std::uint32_t>(scaled);
    all_set &= static_cast<std::uint32_t>(scaled);
  }
  EXPECT_EQ(any_set, 0xFFFFFFu);
  EXPECT_EQ(all_set, 0u);
}

}  // namespace
}  // namespace sorvanto
