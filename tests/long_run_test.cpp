// The engine through a long run of moving ticks, with a reset every few thousand ticks
// to keep the result text bounded: no run-time error, every number drawn is on the
// ticket and has a weight, no line repeats a number, and the heap does not grow.
//   sorvanto_long_run_test --ticks=N    (the full run is 10000000)
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine_harness.h"
#include "number_draw.h"
#include "text_view.h"

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace sorvanto {
namespace {

std::int64_t ticks = 0;

std::int64_t HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 info = mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

TEST(LongRunTest, MovingTicksDrawTicketNumbersWithoutRepeatsInBoundedHeap) {
  std::vector<std::string> weights;  // 13 and 40 weigh nothing, so are never drawn
  for (int n = 1; n <= 49; ++n)
    weights.push_back(n == 13 || n == 40 ? "0" : std::to_string(n % 7 + 1));
  testing::EngineRun platform;
  platform.Write(testing::TableText(49, 6, weights));
  testing::TextView view;
  DrawState state;
  StartEngine(state, view, platform);
  ToggleTicking(view);

  // Heap that may come and go between two resets without counting as growth: the texts
  // of a tick in flight, and the allocator's rounding.
  constexpr std::int64_t kHeapSlack = 64 * 1024;
  std::int64_t baseline = -1;
  std::int64_t drawn = 0;
  for (std::int64_t tick = 1; tick <= ticks; ++tick) {
    RecordPointer(state, static_cast<float>(tick % 5000), static_cast<float>(tick % 3001));
    platform.next_random = static_cast<float>(tick % 8191) / 8192;
    if (view.timer) OnTick(state, view, platform);
    if (tick % 2000 != 0) continue;

    const auto lines = testing::ResultLines(view.text, 49, 6);
    ASSERT_TRUE(lines) << view.text;
    for (const auto& line : *lines) {
      ASSERT_EQ(std::ranges::count(line, 13) + std::ranges::count(line, 40), 0) << view.text;
      drawn += static_cast<std::int64_t>(line.size());
    }
    // Carried out by the next moving tick, which leaves the timer off.
    RequestReset(state, view);
    RecordPointer(state, -1, static_cast<float>(tick));
    OnTick(state, view, platform);
    ToggleTicking(view);
    if (baseline < 0) baseline = HeapBytes();
    ASSERT_LE(HeapBytes(), baseline + kHeapSlack) << "after " << tick << " ticks";
  }
  // Of every reset cycle, 101 ticks warm up and the rest draw, less the rejected repeats.
  EXPECT_GT(drawn, ticks / 2);
}

}  // namespace
}  // namespace sorvanto

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const std::string_view arg = argc == 2 ? argv[1] : "";
  if (!arg.starts_with("--ticks=") ||
      std::from_chars(arg.data() + 8, arg.data() + arg.size(), sorvanto::ticks).ec != std::errc() ||
      sorvanto::ticks <= 0) {
    std::fprintf(stderr, "usage: %s [gtest options] --ticks=N\n", argv[0]);
    return 2;
  }
  return RUN_ALL_TESTS();
}
