// The main window through a few thousand drawing ticks without a reset, so that the random
// values and pointer places go round many times: the box holds exactly the numbers of a
// headless engine fed the same pointer positions.
#include <QPlainTextEdit>
#include <QTest>

#include "entropy_chain.h"
#include "text_view.h"
#include "twips.h"
#include "weight_table.h"
#include "window_fixture.h"

namespace sorvanto {

class WindowLongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void TheBoxHoldsExactlyTheDrawnNumbers() {
    MainWindow main;
    FakeEnginePlatform platform;
    testing::TextView replica;
    DrawState state;
    StartEngine(state, replica, platform);
    for (int tick = 1; tick <= 101 + 3000; ++tick) {
      const QPointF twips = ToTwips(main.MovingTick());
      QApplication::processEvents();
      RecordPointer(state, static_cast<float>(twips.x()), static_cast<float>(twips.y()));
      OnTick(state, replica, platform);
    }
    std::erase(replica.text, '\r');
    QVERIFY(replica.text.size() > 6000);
    QCOMPARE(main.Control<QPlainTextEdit>("ResultBox")->toPlainText().toStdString(), replica.text);
  }
};

}  // namespace sorvanto

QTEST_MAIN(sorvanto::WindowLongRunTest)
#include "window_long_run_test.moc"
