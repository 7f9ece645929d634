// One drawing tick through the real main window on the offscreen platform, with the
// result box already holding 10 KB or 1 MB of numbers: appending a number must not
// cost more as the text grows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "window_fixture.h"

namespace sorvanto {
namespace {

// The box is put back to its starting text after this many ticks, so that the text the
// ticks add stays small beside it.
constexpr int kTicksPerRefill = 1000;

// Complete combination lines, `bytes` long or a little more.
std::string Numbers(std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += " 7,  12,  19,  23,  38,  44\r\n";
  return text;
}

void BM_WindowDrawingTick(benchmark::State& state) {
  MainWindow main;
  for (int tick = 0; tick < 101; ++tick) main.MovingTick();
  const std::string numbers = Numbers(static_cast<std::size_t>(state.range(0)));

  int ticks = 0;
  for (auto _ : state) {
    if (ticks++ % kTicksPerRefill == 0) {
      state.PauseTiming();
      main.window.SetResultText(numbers);
      QApplication::processEvents();
      state.ResumeTiming();
    }
    main.MovingTick();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WindowDrawingTick)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sorvanto

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
