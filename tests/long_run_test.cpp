// The engine through a long run of moving ticks, with a reset every few thousand ticks
// to keep the result text bounded: no run-time error, every number drawn is on the
// ticket and has a weight, no line repeats a number, and the heap holds nothing but the
// result text beyond what it held after the first reset.
//   sorvanto_long_run_test --ticks=N    (the full run is 10000000)
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine_harness.h"
#include "entropy_chain.h"
#include "number_draw.h"
#include "run_error.h"
#include "weight_table.h"

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace sorvanto {
namespace {

std::int64_t ticks = 0;

// Bytes that the heap holds for the program.
std::int64_t HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 info = mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

using testing::FakePlatform;
using testing::TableText;
using testing::TempFolder;

constexpr int kTicksPerReset = 2000;
// Heap that may come and go between two resets without counting as growth: the
// digest and caption texts of a tick in flight, and the allocator's rounding.
constexpr std::int64_t kHeapSlack = 64 * 1024;

// Numbers 1..49, six to a line; numbers 13 and 40 weigh nothing and are never drawn.
std::string LongRunTable() {
  std::vector<std::string> weights;
  for (int number = 1; number <= 49; ++number) {
    weights.push_back(number == 13 || number == 40 ? "0" : std::to_string(number % 7 + 1));
  }
  return TableText(49, 6, weights);
}

// Keeps the result text as a window would, and checks each number as it is appended.
class CheckingView final : public DrawView {
 public:
  void SetTimerEnabled(bool on) override { timer_ = on; }
  bool GetTimerEnabled() override { return timer_; }
  void SetTimerInterval(std::int32_t) override {}
  void SetDigestCaption(std::string_view) override {}
  void SetPercentCaption(std::string_view) override {}
  void ClearProgressBar() override {}
  void DrawProgressBar(double) override {}
  std::string_view GetResultText() override { return text_; }
  void SetResultCaret(std::int32_t position) override {
    if (position != static_cast<std::int32_t>(text_.size())) Fault("the caret is not at the end");
  }
  void SetResetCaption(std::string_view) override {}
  void SetResetEnabled(bool) override {}

  void SetResultText(std::string_view text) override {
    if (text.empty()) {
      line_.clear();
    } else if (!text.starts_with(text_)) {
      Fault("the result text changed before its end");
    } else {
      CheckAppended(text.substr(text_.size()));
    }
    text_ = text;
  }

  std::size_t TextCapacity() const { return text_.capacity(); }
  std::int64_t drawn = 0;
  // The first fault seen, empty while there is none.
  std::string fault;

 private:
  // One number and its separator: " N, " inside a line, " N\r\n" at its end.
  void CheckAppended(std::string_view tail) {
    const bool ends_line = tail.ends_with("\r\n");
    if (!tail.starts_with(' ') || !(ends_line || tail.ends_with(", "))) Fault("a malformed number");
    const std::string_view digits = tail.substr(1, tail.size() - 3);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) Fault("a malformed number");
    if (number < 1 || number > 49) Fault("a number off the ticket");
    if (number == 13 || number == 40) Fault("a number without weight");
    if (!line_.insert(number).second) Fault("a number repeated in its line");
    ++drawn;
    if (ends_line) {
      if (line_.size() != 6) Fault("a line without six numbers");
      line_.clear();
    }
  }

  void Fault(const char* what) {
    if (!fault.empty()) return;
    fault = std::string(what) + " after " + std::to_string(drawn) + " numbers; the text ends \"" +
            text_.substr(text_.size() - std::min<std::size_t>(text_.size(), 80)) + "\"";
  }

  bool timer_ = false;
  std::string text_;
  std::set<int> line_;
};

TEST(LongRunTest, MovingTicksDrawTicketNumbersWithoutRepeatsInBoundedHeap) {
  TempFolder folder;
  folder.Write("table.txt", LongRunTable());
  TraceView beeps([](std::string_view) {});
  FakePlatform platform(beeps, folder.Path());
  CheckingView view;
  DrawState state;
  StartEngine(state, view, platform);
  ToggleTicking(view);

  std::int64_t baseline = -1;
  try {
    for (std::int64_t tick = 1; tick <= ticks; ++tick) {
      RecordPointer(state, static_cast<float>(tick % 5000), static_cast<float>(tick % 3001));
      platform.next_random = static_cast<float>(tick % 8191) / 8192;
      if (view.GetTimerEnabled()) OnTick(state, view, platform);
      ASSERT_EQ(view.fault, "") << "at tick " << tick;
      if (tick % kTicksPerReset == 0) {
        // The reset is carried out by the next moving tick, which leaves the timer off.
        RequestReset(state, view);
        RecordPointer(state, -1, static_cast<float>(tick));
        OnTick(state, view, platform);
        ASSERT_FALSE(view.GetTimerEnabled());
        ToggleTicking(view);
        const std::int64_t held = HeapBytes() - static_cast<std::int64_t>(view.TextCapacity());
        if (baseline < 0) baseline = held;
        ASSERT_LE(held, baseline + kHeapSlack) << "after " << tick << " ticks";
      }
    }
  } catch (const RunError& error) {
    FAIL() << "run-time error " << error.Code() << ": " << error.what();
  }
  // Of every reset cycle, 101 ticks warm up and the rest draw, less the rejected repeats.
  EXPECT_GT(view.drawn, ticks / 2);
}

}  // namespace
}  // namespace sorvanto

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!arg.starts_with("--ticks=") ||
        std::from_chars(arg.data() + 8, arg.data() + arg.size(), sorvanto::ticks).ec !=
            std::errc()) {
      std::fprintf(stderr, "usage: %s [gtest options] --ticks=N\n", argv[0]);
      return 2;
    }
  }
  if (sorvanto::ticks <= 0) {
    std::fprintf(stderr, "usage: %s [gtest options] --ticks=N\n", argv[0]);
    return 2;
  }
  return RUN_ALL_TESTS();
}
