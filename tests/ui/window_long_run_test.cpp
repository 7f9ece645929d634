// The real main window through 50,000 drawing ticks without a reset: a tick at the end
// costs at most twice a tick at the start, however much text the result box holds, and
// the box holds exactly the numbers of a headless engine fed the same pointer
// positions and random values.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "draw_view.h"
#include "entropy_chain.h"
#include "fake_engine_platform.h"
#include "fake_sys_info.h"
#include "sorvanto_frm.h"
#include "twips.h"
#include "weight_table.h"

namespace sorvanto {
namespace {

constexpr int kWarmUpTicks = 101;
constexpr int kDrawingTicks = 50'000;
// Ticks timed at the start and at the end of the run.
constexpr int kTimedTicks = 1'000;

// A tick's time is taken as the median of its neighbours', so that a moment in which
// the machine was busy elsewhere does not count as the window's.
double MedianMicroseconds(std::vector<qint64> nanoseconds) {
  std::ranges::nth_element(nanoseconds, nanoseconds.begin() + nanoseconds.size() / 2);
  return nanoseconds[nanoseconds.size() / 2] / 1000.0;
}

// The result text of an engine without a window; nothing else is kept.
class TextView final : public DrawView {
 public:
  void SetTimerEnabled(bool) override {}
  bool GetTimerEnabled() override { return true; }
  void SetTimerInterval(std::int32_t) override {}
  void SetDigestCaption(std::string_view) override {}
  void SetPercentCaption(std::string_view) override {}
  void ClearProgressBar() override {}
  void DrawProgressBar(double) override {}
  std::string_view GetResultText() override { return text_; }
  void SetResultText(std::string_view text) override { text_ = text; }
  void SetResultCaret(std::int32_t) override {}
  void SetResetCaption(std::string_view) override {}
  void SetResetEnabled(bool) override {}

 private:
  std::string text_;
};

}  // namespace

class WindowLongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void DrawingTicksKeepTheirPaceAndTheBoxHoldsTheDrawnNumbers();
};

void WindowLongRunTest::DrawingTicksKeepTheirPaceAndTheBoxHoldsTheDrawnNumbers() {
  FakeEnginePlatform platform;
  FakeSysInfo sysInfo;
  SorvantoFrm window(platform, sysInfo);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QWidget* field = window.findChild<QWidget*>("Picture1");
  QTimer* timer = window.findChild<QTimer*>("Trigger");
  auto* digestLabel = window.findChild<QLabel*>("HashLbl");
  auto* box = window.findChild<QPlainTextEdit*>("ResultBox");

  // The engine on its own, given what the window's engine is given.
  FakeEnginePlatform replicaPlatform;
  TextView replica;
  DrawState replicaState;
  StartEngine(replicaState, replica, replicaPlatform);

  std::vector<qint64> start;
  std::vector<qint64> end;
  QElapsedTimer clock;
  for (int tick = 1; tick <= kWarmUpTicks + kDrawingTicks; ++tick) {
    const QPointF position(tick % 300, tick / 300);
    clock.start();
    QMouseEvent move(QEvent::MouseMove, position, field->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, {});
    QApplication::sendEvent(field, &move);
    QMetaObject::invokeMethod(timer, "timeout");
    QApplication::processEvents();
    const qint64 took = clock.nsecsElapsed();

    const int drawing = tick - kWarmUpTicks;
    if (drawing >= 1 && drawing <= kTimedTicks) start.push_back(took);
    if (drawing > kDrawingTicks - kTimedTicks) end.push_back(took);

    const QPointF twips = ToTwips(position);
    RecordPointer(replicaState, static_cast<float>(twips.x()), static_cast<float>(twips.y()));
    OnTick(replicaState, replica, replicaPlatform);
    if (tick % 1000 == 1) {
      QCOMPARE(digestLabel->text().toStdString(), "Current digest: " + replicaState.Digest);
    }
  }

  const double startTime = MedianMicroseconds(start);
  const double endTime = MedianMicroseconds(end);
  qInfo("a drawing tick took %.1f us at the start and %.1f us at the end, with %lld bytes shown",
        startTime, endTime, static_cast<long long>(window.GetResultText().size()));
  QVERIFY2(endTime <= 2 * startTime, "a tick at the end took more than twice one at the start");

  std::string drawn(replica.GetResultText());
  std::erase(drawn, '\r');
  QVERIFY(drawn.size() > 100'000);
  QCOMPARE(box->toPlainText().toStdString(), drawn);
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::WindowLongRunTest)
#include "window_long_run_test.moc"
