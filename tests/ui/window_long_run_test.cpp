// The main window through 50,000 drawing ticks without a reset: the box holds exactly the
// numbers of a headless engine fed the same pointer positions. (What a tick costs as the
// box grows is measured by bench/window_bench.cpp, not here: timings make flaky tests.)
#include <QPlainTextEdit>
#include <string>

#include "entropy_chain.h"
#include "text_view.h"
#include "twips.h"
#include "weight_table.h"
#include "window_fixture.h"

namespace sorvanto {
namespace {

constexpr int kWarmUpTicks = 101;
constexpr int kDrawingTicks = 50'000;
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
  testing::TextView replica;
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
