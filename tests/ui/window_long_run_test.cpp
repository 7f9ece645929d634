// The main window through 50,000 drawing ticks without a reset: the box holds exactly the
// numbers of a headless engine fed the same pointer positions. (What a tick costs as the
// box grows is measured by bench/window_bench.cpp, not here: timings make flaky tests.)
#include <QPlainTextEdit>
#include <string>

#include "draw_view.h"
#include "entropy_chain.h"
#include "twips.h"
#include "weight_table.h"
#include "window_fixture.h"

namespace sorvanto {
namespace {

constexpr int kWarmUpTicks = 101;
constexpr int kDrawingTicks = 50'000;
// Keeps only the result text; the engine reads the timer as on.
class TextView final : public DrawView {
 public:
  void SetTimerEnabled(bool) override {}
  bool GetTimerEnabled() override { return true; }
  void SetTimerInterval(std::int32_t) override {}
  void SetDigestCaption(std::string_view) override {}
  void SetPercentCaption(std::string_view) override {}
  void ClearProgressBar() override {}
  void DrawProgressBar(double) override {}
  std::string_view GetResultText() override { return text; }
  void SetResultText(std::string_view newText) override { text = newText; }
  void SetResultCaret(std::int32_t) override {}
  void SetResetCaption(std::string_view) override {}
  void SetResetEnabled(bool) override {}

  std::string text;
};

}  // namespace

class WindowLongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void TheBoxHoldsExactlyTheDrawnNumbers();
};

void WindowLongRunTest::TheBoxHoldsExactlyTheDrawnNumbers() {
  MainWindow main;
  QVERIFY(QTest::qWaitForWindowExposed(&main.window));
  FakeEnginePlatform replicaPlatform;
  TextView replica;
  DrawState replicaState;
  StartEngine(replicaState, replica, replicaPlatform);

  for (int tick = 1; tick <= kWarmUpTicks + kDrawingTicks; ++tick) {
    const QPointF twips = ToTwips(main.MovingTick());
    QApplication::processEvents();
    RecordPointer(replicaState, static_cast<float>(twips.x()), static_cast<float>(twips.y()));
    OnTick(replicaState, replica, replicaPlatform);
  }

  std::erase(replica.text, '\r');
  QVERIFY(replica.text.size() > 100'000);
  QCOMPARE(main.Control<QPlainTextEdit>("ResultBox")->toPlainText().toStdString(), replica.text);
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::WindowLongRunTest)
#include "window_long_run_test.moc"
