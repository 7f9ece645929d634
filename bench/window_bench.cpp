// One drawing tick through the real main window on the offscreen platform, with the
// result box already holding 10 KB or 1 MB of numbers: appending a number must not
// cost more as the text grows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <string>

#include "sorvanto_frm.h"
#include "system_platform.h"
#include "system_sys_info.h"

namespace sorvanto {
namespace {

// The box is put back to its starting text after this many ticks, so that the text the
// ticks add stays small beside it.
constexpr int kTicksPerRefill = 1000;

void WriteTable(const QString& folder) {
  QFile table(folder + "/table.txt");
  table.open(QIODevice::WriteOnly);
  table.write("49,6\r\n");
  for (int ball = 0; ball < 49; ++ball) table.write("1\r\n");
}

// Complete combination lines, `bytes` long or a little more.
std::string Numbers(std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += " 7,  12,  19,  23,  38,  44\r\n";
  return text;
}

class Ticker {
 public:
  explicit Ticker(SorvantoFrm& window)
      : field_(window.findChild<QWidget*>(QStringLiteral("Picture1"))),
        timer_(window.findChild<QTimer*>(QStringLiteral("Trigger"))) {}

  void MovingTick() {
    ++moves_;
    QMouseEvent move(QEvent::MouseMove, QPointF(moves_ % 400, moves_ / 400 % 390), QPointF(),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(field_, &move);
    QMetaObject::invokeMethod(timer_, "timeout");
  }

 private:
  QWidget* field_;
  QTimer* timer_;
  int moves_ = 0;
};

void BM_WindowDrawingTick(benchmark::State& state) {
  QTemporaryDir folder;
  WriteTable(folder.path());
  const QString home = QDir::currentPath();
  QDir::setCurrent(folder.path());
  SystemPlatform platform(nullptr);
  const auto sysInfo = CreateSystemSysInfo("Sorvanto");
  SorvantoFrm window(platform, *sysInfo);
  QDir::setCurrent(home);
  window.show();
  Ticker ticker(window);
  for (int tick = 0; tick < 101; ++tick) ticker.MovingTick();
  const std::string numbers = Numbers(static_cast<std::size_t>(state.range(0)));

  int ticks = 0;
  for (auto _ : state) {
    if (ticks++ % kTicksPerRefill == 0) {
      state.PauseTiming();
      window.SetResultText(numbers);
      QApplication::processEvents();
      state.ResumeTiming();
    }
    ticker.MovingTick();
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
