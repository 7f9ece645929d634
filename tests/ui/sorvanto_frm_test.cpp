// The main window: start-up, the resize rule, the corner press, the field's moves and
// clicks reaching the engine, a run from the first click to a reset, and a run-time
// error in a tick ending the program.
#include "sorvanto_frm.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "fake_engine_platform.h"
#include "fake_sys_info.h"

namespace sorvanto {
namespace {

constexpr QRgb kBarBlue = qRgb(0, 0, 127);

// Sent directly: QTest takes a press at QPoint(0, 0) for one at the widget's centre.
void Send(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button) {
  QMouseEvent event(type, position, widget->mapToGlobal(position), button, button, {});
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class SorvantoFrmTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void StartUpFailsWithoutATable();
  void ResizeRuleKeepsTheLayout_data();
  void ResizeRuleKeepsTheLayout();
  void CornerPressHidesTheFieldUntilTheNextResize_data();
  void CornerPressHidesTheFieldUntilTheNextResize();
  void PointerMovesReachTheEngineInTwips_data();
  void PointerMovesReachTheEngineInTwips();
  void FieldClicksToggleTheTimer_data();
  void FieldClicksToggleTheTimer();
  void RunFromFirstClickToReset();
  void UserTextStaysInFrontOfNewNumbers();
  void RunErrorInATickEndsTheProgram();

 private:
  template <typename T = QWidget>
  T* Control(const char* name) {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }
  void MovingTick();
  QRgb BarPixel(int x) { return Control("idSlider")->grab().toImage().pixel(x, 8); }

  std::unique_ptr<FakeEnginePlatform> platform_;
  FakeSysInfo sysInfo_;
  std::unique_ptr<SorvantoFrm> window_;
  int moves_ = 0;
};

void SorvantoFrmTest::init() {
  window_.reset();
  platform_ = std::make_unique<FakeEnginePlatform>();
  window_ = std::make_unique<SorvantoFrm>(*platform_, sysInfo_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

// The pointer to a new place over the field, then one tick.
void SorvantoFrmTest::MovingTick() {
  ++moves_;
  Send(Control("Picture1"), QEvent::MouseMove, QPointF(moves_ % 300, moves_ / 300), Qt::NoButton);
  QMetaObject::invokeMethod(Control<QTimer>("Trigger"), "timeout");
}

void SorvantoFrmTest::StartUpFailsWithoutATable() {
  FakeEnginePlatform platform(std::nullopt);
  QVERIFY_THROWS_EXCEPTION(RunError, SorvantoFrm(platform, sysInfo_));
}

void SorvantoFrmTest::ResizeRuleKeepsTheLayout_data() {
  QTest::addColumn<QSize>("requested");
  QTest::addColumn<QSize>("inner");
  QTest::addColumn<int>("resultHeight");
  QTest::newRow("below the minimum") << QSize(525, 306) << QSize(632, 423) << 249;
  QTest::newRow("only too narrow") << QSize(525, 473) << QSize(632, 473) << 299;
  QTest::newRow("grown") << QSize(792, 573) << QSize(792, 573) << 399;
}

void SorvantoFrmTest::ResizeRuleKeepsTheLayout() {
  QFETCH(QSize, requested);
  QFETCH(QSize, inner);
  window_->resize(requested);
  QTRY_COMPARE(window_->size(), inner);

  const int h = inner.height();
  QCOMPARE(Control("Picture1")->geometry(), QRect(224, 24, inner.width() - 231, h - 30));
  QCOMPARE(Control("ResetBtn")->geometry(), QRect(8, h - 31, 137, 25));
  QCOMPARE(Control("Command1")->geometry(), QRect(152, h - 31, 65, 25));
  QFETCH(int, resultHeight);
  QCOMPARE(Control("ResultBox")->geometry(), QRect(8, 136, 209, resultHeight));
  QCOMPARE(Control("idSlider")->geometry(), QRect(8, 112, 209, 17));
}

void SorvantoFrmTest::CornerPressHidesTheFieldUntilTheNextResize_data() {
  QTest::addColumn<QString>("target");
  QTest::addColumn<Qt::MouseButton>("button");
  QTest::addColumn<QPointF>("position");
  QTest::addColumn<bool>("hides");
  QTest::newRow("left at (0, 0)") << "SorvantoFrm" << Qt::LeftButton << QPointF(0, 0) << true;
  QTest::newRow("right at (0, 0)") << "SorvantoFrm" << Qt::RightButton << QPointF(0, 0) << true;
  QTest::newRow("at (1, 0)") << "SorvantoFrm" << Qt::LeftButton << QPointF(1, 0) << false;
  QTest::newRow("a label's corner") << "Label1" << Qt::LeftButton << QPointF(0, 0) << false;
}

void SorvantoFrmTest::CornerPressHidesTheFieldUntilTheNextResize() {
  QFETCH(QString, target);
  QFETCH(Qt::MouseButton, button);
  QFETCH(QPointF, position);
  QFETCH(bool, hides);
  QWidget* pressed = target == "Label1" ? Control("Label1") : window_.get();
  Send(pressed, QEvent::MouseButtonPress, position, button);
  QCOMPARE(Control("Picture1")->height(), hides ? 0 : 393);

  window_->showMinimized();
  QCOMPARE(Control("Picture1")->height(), hides ? 0 : 393);
  window_->showNormal();
  QTRY_COMPARE(Control("Picture1")->height(), 393);
}

void SorvantoFrmTest::PointerMovesReachTheEngineInTwips_data() {
  QTest::addColumn<QPointF>("pixels");
  QTest::addColumn<QByteArray>("hashed");
  QTest::newRow("whole pixels") << QPointF(83, 60) << QByteArray(" 1245 900 .375");
  QTest::newRow("fractions") << QPointF(83.5, 60.25) << QByteArray(" 1252.5 903.75 .375");
  QTest::newRow("dragged off the left") << QPointF(-1, 2) << QByteArray("-15 30 .375");
}

void SorvantoFrmTest::PointerMovesReachTheEngineInTwips() {
  QFETCH(QPointF, pixels);
  QFETCH(QByteArray, hashed);
  platform_->randoms = {0.375f};
  Send(Control("Picture1"), QEvent::MouseMove, pixels, Qt::NoButton);
  QMetaObject::invokeMethod(Control<QTimer>("Trigger"), "timeout");

  const QByteArray md5 = QCryptographicHash::hash(hashed, QCryptographicHash::Md5);
  QCOMPARE(Control<QLabel>("HashLbl")->text(), "Current digest: " + md5.toHex().toUpper());
}

void SorvantoFrmTest::FieldClicksToggleTheTimer_data() {
  QTest::addColumn<Qt::MouseButton>("button");
  QTest::addColumn<QPointF>("release");
  QTest::addColumn<bool>("toggles");
  QTest::newRow("left click") << Qt::LeftButton << QPointF(10, 10) << true;
  QTest::newRow("right click") << Qt::RightButton << QPointF(10, 10) << false;
  QTest::newRow("released outside") << Qt::LeftButton << QPointF(10, 500) << false;
}

void SorvantoFrmTest::FieldClicksToggleTheTimer() {
  QFETCH(Qt::MouseButton, button);
  QFETCH(QPointF, release);
  QFETCH(bool, toggles);
  for (const bool active : {toggles, false}) {
    Send(Control("Picture1"), QEvent::MouseButtonPress, QPointF(10, 10), button);
    Send(Control("Picture1"), QEvent::MouseButtonRelease, release, button);
    QCOMPARE(Control<QTimer>("Trigger")->isActive(), active);
  }
}

void SorvantoFrmTest::RunFromFirstClickToReset() {
  auto* timer = Control<QTimer>("Trigger");
  auto* results = Control<QPlainTextEdit>("ResultBox");
  auto* reset = Control<QPushButton>("ResetBtn");
  QTest::mouseClick(Control("Picture1"), Qt::LeftButton);
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 20);

  for (int tick = 1; tick <= 101; ++tick) {
    MovingTick();
    QCOMPARE(Control<QLabel>("PercLbl")->text(), QString::number(tick - 1) + '%');
    if (tick == 51) QVERIFY(BarPixel(30) == kBarBlue && BarPixel(150) != kBarBlue);
  }
  QCOMPARE(timer->interval(), 200);
  QCOMPARE(BarPixel(204), kBarBlue);
  QVERIFY(results->toPlainText().isEmpty());

  for (int tick = 0; tick < 2000 && results->blockCount() < 4; ++tick) MovingTick();
  QCOMPARE(results->blockCount(), 4);
  static const QRegularExpression kLine(R"(^ (\d+),  (\d+),  (\d+),  (\d+),  (\d+),  (\d+)$)");
  for (const QString& line : results->toPlainText().split('\n').first(3)) {
    const QRegularExpressionMatch match = kLine.match(line);
    QVERIFY2(match.hasMatch(), qPrintable(line));
    QSet<int> numbers;
    for (int i = 1; i <= 6; ++i) numbers.insert(match.captured(i).toInt());
    QCOMPARE(numbers.size(), 6);
    QVERIFY(std::ranges::all_of(numbers, [](int n) { return n >= 1 && n <= 49; }));
  }
  QVERIFY(results->textCursor().atEnd());

  QTest::mouseClick(reset, Qt::LeftButton);
  QCOMPARE(reset->text(), "Hover over yellow to reset.");
  QVERIFY(!reset->isEnabled());
  MovingTick();
  QVERIFY(results->toPlainText().isEmpty());
  QCOMPARE(Control<QLabel>("HashLbl")->text(), QString());
  QCOMPARE(Control<QLabel>("PercLbl")->text(), "0%");
  QVERIFY(BarPixel(20) != kBarBlue);
  QVERIFY(reset->text() == "Reset" && reset->isEnabled());
  QVERIFY(!timer->isActive());
  QCOMPARE(timer->interval(), 25);
}

void SorvantoFrmTest::UserTextStaysInFrontOfNewNumbers() {
  auto* results = Control<QPlainTextEdit>("ResultBox");
  QTest::keyClicks(results, QStringLiteral("my pick"));
  QTest::keyClick(results, Qt::Key_Return);
  for (int tick = 0; tick < 103; ++tick) MovingTick();

  QVERIFY2(results->toPlainText().startsWith("my pick\n "), qPrintable(results->toPlainText()));
  QVERIFY(window_->GetResultText().starts_with("my pick\r\n "));
}

void SorvantoFrmTest::RunErrorInATickEndsTheProgram() {
  QTimer dismissMessage;
  connect(&dismissMessage, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  dismissMessage.start(10);
  QTest::mouseClick(Control("Picture1"), Qt::LeftButton);
  platform_->failRandom = true;

  QEventLoop program;
  QTimer::singleShot(0, this, [this] { MovingTick(); });
  QCOMPARE(program.exec(), static_cast<int>(ErrorNumber::kOverflow));
  QVERIFY(!Control<QTimer>("Trigger")->isActive());
  QVERIFY(!window_->isEnabled());
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::SorvantoFrmTest)
#include "sorvanto_frm_test.moc"
