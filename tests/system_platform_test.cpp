#include "system_platform.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace sorvanto {
namespace {

std::array<float, 8> NextValues(SystemPlatform& platform) {
  std::array<float, 8> values{};
  for (float& value : values) value = platform.NextRandom();
  return values;
}

// The time of day is guessable to the second, so it must not decide the sequence: two
// runs seeded in the same instant still draw differently, and so does a reseed.
TEST(SystemPlatformTest, SameTimeOfDayStillGivesDifferentSequences) {
  SystemPlatform first(nullptr);
  SystemPlatform second(nullptr);
  first.SeedRandom(43200.5f);
  second.SeedRandom(43200.5f);
  const std::array<float, 8> values = NextValues(first);
  EXPECT_NE(values, NextValues(second));
  first.SeedRandom(43200.5f);
  EXPECT_NE(NextValues(first), values);
}

// Each value is k / 2^24 in [0, 1), and over many values each of the 24 bits of k is seen
// both set and clear.
TEST(SystemPlatformTest, ValuesCarry24RandomBitsBelowOne) {
  SystemPlatform platform(nullptr);
  platform.SeedRandom(platform.TimeOfDay());
  std::uint32_t any_set = 0;
  std::uint32_t all_set = 0xFFFFFF;
  for (int i = 0; i < 10'000; ++i) {
    const float scaled = std::ldexp(platform.NextRandom(), 24);
    ASSERT_TRUE(scaled >= 0 && scaled < 0x1p24f && scaled == std::floor(scaled)) << scaled;
    any_set |= static_cast<std::uint32_t>(scaled);
    all_set &= static_cast<std::uint32_t>(scaled);
  }
  EXPECT_EQ(any_set, 0xFFFFFFu);
  EXPECT_EQ(all_set, 0u);
}

}  // namespace
}  // namespace sorvanto
