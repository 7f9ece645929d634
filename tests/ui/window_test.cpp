// The main window, the About window and the result box, as users and screen readers meet
// them. Run once as is and once with QT_SCALE_FACTOR=2, where a logical pixel is two
// device pixels and every geometry and pointer position must stay in logical pixels.
#include <QAccessible>
#include <QCryptographicHash>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <memory>

#include "result_edit.h"
#include "window_fixture.h"

namespace sorvanto {
namespace {

constexpr QRgb kBarBlue = qRgb(0, 0, 127);

void AddNameRow(bool about, const char* control, const char* name, bool described) {
  QTest::newRow(control) << about << QString::fromUtf8(control) << QString::fromUtf8(name)
                         << described;
}

}  // namespace

class WindowTest : public QObject {
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
  void RunErrorInATickEndsTheProgram();
  void EveryControlIsNamed_data();
  void EveryControlIsNamed();
  void AboutIconIsDrawnForTheDevicePixels();
  void KeysAndClicksOnAbout_data();
  void KeysAndClicksOnAbout();
  void ResultBoxKeepsTheTextLastSet_data();
  void ResultBoxKeepsTheTextLastSet();

 private:
  QDialog* OpenAbout();
  QRgb BarPixel(int x);

  std::unique_ptr<MainWindow> main_;
};

void WindowTest::init() {
  QApplication::setApplicationName(QStringLiteral("Sorvanto"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  main_ = std::make_unique<MainWindow>();
  QVERIFY(QTest::qWaitForWindowExposed(&main_->window));
  // Without the scale the scaled run would check nothing more.
  QCOMPARE(main_->window.devicePixelRatio(),
           qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
}

QDialog* WindowTest::OpenAbout() {
  QTest::mouseClick(main_->Control("Command1"), Qt::LeftButton);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "frmAbout" && widget->isVisible()) {
      return qobject_cast<QDialog*>(widget);
    }
  }
  return nullptr;
}

QRgb WindowTest::BarPixel(int x) {
  QWidget* bar = main_->Control("idSlider");
  return bar->grab().toImage().pixel(QPoint(x, 8) * bar->devicePixelRatio());
}

void WindowTest::StartUpFailsWithoutATable() {
  FakeEnginePlatform platform(false);
  QVERIFY_THROWS_EXCEPTION(RunError, SorvantoFrm(platform, main_->sysInfo));
}

// Each row asks for the inner size of a window of the given outer size.
void WindowTest::ResizeRuleKeepsTheLayout_data() {
  QTest::addColumn<QSize>("requested");
  QTest::addColumn<QSize>("inner");
  QTest::newRow("8000 x 5000 twips") << QSize(525, 306) << QSize(632, 423);
  QTest::newRow("8000 x 7500 twips") << QSize(525, 473) << QSize(632, 473);
  QTest::newRow("12000 x 9000 twips") << QSize(792, 573) << QSize(792, 573);
}

void WindowTest::ResizeRuleKeepsTheLayout() {
  QFETCH(QSize, requested);
  QFETCH(QSize, inner);
  main_->window.resize(requested);
  QTRY_COMPARE(main_->window.size(), inner);

  const int h = inner.height();
  QCOMPARE(main_->Control("Picture1")->geometry(), QRect(224, 24, inner.width() - 231, h - 30));
  QCOMPARE(main_->Control("ResetBtn")->geometry(), QRect(8, h - 31, 137, 25));
  QCOMPARE(main_->Control("Command1")->geometry(), QRect(152, h - 31, 65, 25));
  QCOMPARE(main_->Control("ResultBox")->geometry(), QRect(8, 136, 209, h - 174));
}

void WindowTest::CornerPressHidesTheFieldUntilTheNextResize_data() {
  QTest::addColumn<Qt::MouseButton>("button");
  QTest::addColumn<QPointF>("position");
  QTest::addColumn<int>("height");
  QTest::newRow("left at (0, 0)") << Qt::LeftButton << QPointF(0, 0) << 0;
  QTest::newRow("right at (0, 0)") << Qt::RightButton << QPointF(0, 0) << 0;
  QTest::newRow("at (1, 0)") << Qt::LeftButton << QPointF(1, 0) << 393;
}

void WindowTest::CornerPressHidesTheFieldUntilTheNextResize() {
  QFETCH(Qt::MouseButton, button);
  QFETCH(QPointF, position);
  Send(&main_->window, QEvent::MouseButtonPress, position, button);
  QTEST(main_->Control("Picture1")->height(), "height");

  main_->window.showMinimized();
  QTEST(main_->Control("Picture1")->height(), "height");
  main_->window.showNormal();
  QTRY_COMPARE(main_->Control("Picture1")->height(), 393);
}

void WindowTest::PointerMovesReachTheEngineInTwips_data() {
  QTest::addColumn<QPointF>("pixels");
  QTest::addColumn<QByteArray>("hashed");
  QTest::newRow("whole pixels") << QPointF(83, 60) << QByteArray(" 1245 900 .375");
  QTest::newRow("fractions") << QPointF(83.5, 60.25) << QByteArray(" 1252.5 903.75 .375");
}

void WindowTest::PointerMovesReachTheEngineInTwips() {
  QFETCH(QPointF, pixels);
  QWidget* field = main_->Control("Picture1");
  // Whole pixels come through the window system, which works in device pixels.
  if (pixels.toPoint() == pixels) {
    QTest::mouseMove(main_->window.windowHandle(), field->mapTo(&main_->window, pixels.toPoint()));
  } else {
    Send(field, QEvent::MouseMove, pixels);
  }
  QMetaObject::invokeMethod(main_->Control<QTimer>("Trigger"), "timeout");

  QFETCH(QByteArray, hashed);
  const QByteArray md5 = QCryptographicHash::hash(hashed, QCryptographicHash::Md5);
  QCOMPARE(main_->Control<QLabel>("HashLbl")->text(), "Current digest: " + md5.toHex().toUpper());
}

void WindowTest::FieldClicksToggleTheTimer_data() {
  QTest::addColumn<Qt::MouseButton>("button");
  QTest::addColumn<QPointF>("release");
  QTest::addColumn<bool>("toggles");
  QTest::newRow("left click") << Qt::LeftButton << QPointF(10, 10) << true;
  QTest::newRow("right click") << Qt::RightButton << QPointF(10, 10) << false;
  QTest::newRow("released outside") << Qt::LeftButton << QPointF(10, 500) << false;
}

void WindowTest::FieldClicksToggleTheTimer() {
  QFETCH(Qt::MouseButton, button);
  QFETCH(QPointF, release);
  QFETCH(bool, toggles);
  for (const bool active : {toggles, false}) {
    Send(main_->Control("Picture1"), QEvent::MouseButtonPress, QPointF(10, 10), button);
    Send(main_->Control("Picture1"), QEvent::MouseButtonRelease, release, button);
    QCOMPARE(main_->Control<QTimer>("Trigger")->isActive(), active);
  }
}

// With a line of the user's in front of the numbers, and the caret left at its start.
void WindowTest::RunFromFirstClickToReset() {
  auto* results = main_->Control<QPlainTextEdit>("ResultBox");
  auto* reset = main_->Control<QPushButton>("ResetBtn");
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(main_->Control("idSlider"));
  QVERIFY(bar->valueInterface());
  QTest::keyClicks(results, QStringLiteral("my pick"));
  QTest::keyClick(results, Qt::Key_Return);
  results->moveCursor(QTextCursor::Start);
  QTest::mouseClick(main_->Control("Picture1"), Qt::LeftButton);

  for (int tick = 1; tick <= 101; ++tick) {
    main_->MovingTick();
    QCOMPARE(main_->Control<QLabel>("PercLbl")->text(), QString::number(tick - 1) + '%');
    QCOMPARE(bar->valueInterface()->currentValue().toInt(), tick - 1);
    if (tick == 51) QVERIFY(BarPixel(30) == kBarBlue && BarPixel(150) != kBarBlue);
  }
  QCOMPARE(bar->text(QAccessible::Value), "100%");
  QCOMPARE(main_->Control<QTimer>("Trigger")->interval(), 200);
  QCOMPARE(results->toPlainText(), "my pick\n");

  for (int tick = 0; tick < 2000 && results->blockCount() < 5; ++tick) main_->MovingTick();
  QCOMPARE(results->blockCount(), 5);
  QVERIFY2(results->toPlainText().startsWith("my pick\n "), qPrintable(results->toPlainText()));
  QVERIFY(main_->window.GetResultText().starts_with("my pick\r\n "));
  QVERIFY(results->textCursor().atEnd());

  QTest::mouseClick(reset, Qt::LeftButton);
  QVERIFY(reset->text() == "Hover over yellow to reset." && !reset->isEnabled());
  main_->MovingTick();
  QVERIFY(results->toPlainText().isEmpty());
  QCOMPARE(bar->text(QAccessible::Value), "0%");
  QVERIFY(BarPixel(20) != kBarBlue);
  QVERIFY(reset->text() == "Reset" && reset->isEnabled());
}

void WindowTest::RunErrorInATickEndsTheProgram() {
  QTimer dismissMessage;
  connect(&dismissMessage, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  dismissMessage.start(10);
  QTest::mouseClick(main_->Control("Picture1"), Qt::LeftButton);
  main_->platform.failRandom = true;

  QEventLoop program;
  QTimer::singleShot(0, this, [this] { main_->MovingTick(); });
  QCOMPARE(program.exec(), static_cast<int>(ErrorNumber::kOverflow));
  QVERIFY(!main_->Control<QTimer>("Trigger")->isActive());
  QVERIFY(!main_->window.isEnabled());
}

// A label's name is its text, so the About rows also check what that window shows.
void WindowTest::EveryControlIsNamed_data() {
  QTest::addColumn<bool>("about");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("described");
  AddNameRow(false, "SorvantoFrm", "Sorvanto", true);
  AddNameRow(false, "Label1", "Instructions (do everything on yellow field):", false);
  AddNameRow(false, "Picture1", "Yellow field", true);
  AddNameRow(false, "idSlider", "Warm-up", true);
  AddNameRow(false, "PercLbl", "0%", false);
  // Empty until the first movement.
  AddNameRow(false, "HashLbl", "", true);
  AddNameRow(false, "ResultBox", "Drawn combinations", true);
  AddNameRow(false, "ResetBtn", "Reset", true);
  AddNameRow(false, "Command1", "About", true);
  AddNameRow(false, "AuthLbl", "Sorvanto, made by", false);
  AddNameRow(true, "frmAbout", "About Sorvanto", false);
  AddNameRow(true, "picIcon", "Program icon", false);
  AddNameRow(true, "lblTitle", "Sorvanto", false);
  AddNameRow(true, "lblVersion", "Version 1.0.0", false);
  AddNameRow(true, "lblDescription", "This program generates Lotto combinations", false);
  AddNameRow(true, "cmdOK", "OK", true);
  AddNameRow(true, "cmdSysInfo", "System Info...", true);
}

// Long texts are compared up to the expected start.
void WindowTest::EveryControlIsNamed() {
  QFETCH(bool, about);
  QFETCH(QString, control);
  QWidget* top = about ? static_cast<QWidget*>(OpenAbout()) : &main_->window;
  QVERIFY(top);
  QWidget* widget = top->objectName() == control ? top : top->findChild<QWidget*>(control);
  QVERIFY(widget);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  QFETCH(QString, name);
  QCOMPARE(accessible->text(QAccessible::Name).left(name.size()), name);
  QTEST(!accessible->text(QAccessible::Description).isEmpty(), "described");
}

void WindowTest::AboutIconIsDrawnForTheDevicePixels() {
  QDialog* about = OpenAbout();
  QVERIFY(about);
  const QPixmap icon = about->findChild<QLabel*>("picIcon")->pixmap();
  QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
  // The left edge of the first box is one pixel wide at 32 x 32, with white on either
  // side: as many device pixels wide as a pixel has, where an enlarged image blurs it.
  const int scale = qRound(about->devicePixelRatio());
  const QImage image = icon.toImage();
  const int y = 5 * scale;
  QCOMPARE(image.pixel(2 * scale - 1, y), qRgb(255, 255, 255));
  for (int x = 2 * scale; x < 3 * scale; ++x) QCOMPARE(image.pixel(x, y), qRgb(244, 113, 121));
  QCOMPARE(image.pixel(3 * scale, y), qRgb(255, 255, 255));
}

// Every way of closing gives the main window its input back; Enter on System Info runs
// the tool (here: reports it missing) instead.
void WindowTest::KeysAndClicksOnAbout_data() {
  QTest::addColumn<QString>("way");
  QTest::addColumn<bool>("closes");
  QTest::newRow("OK clicked") << "click" << true;
  QTest::newRow("Enter on OK") << "enter" << true;
  QTest::newRow("Esc") << "escape" << true;
  QTest::newRow("close box") << "close" << true;
  QTest::newRow("Enter on System Info") << "sysinfo" << false;
}

void WindowTest::KeysAndClicksOnAbout() {
  QFETCH(QString, way);
  QFETCH(bool, closes);
  QDialog* about = OpenAbout();
  QVERIFY(about);
  auto* ok = about->findChild<QPushButton*>("cmdOK");
  auto* sysInfo = about->findChild<QPushButton*>("cmdSysInfo");
  QCOMPARE(about->focusWidget(), ok);
  QVERIFY(!main_->window.isEnabled());

  if (way == "click") QTest::mouseClick(ok, Qt::LeftButton);
  if (way == "enter") QTest::keyClick(ok, Qt::Key_Return);
  if (way == "escape") QTest::keyClick(about, Qt::Key_Escape);
  if (way == "close") about->close();
  if (way == "sysinfo") {
    sysInfo->setFocus();
    QTest::keyClick(sysInfo, Qt::Key_Return);
  }
  QCOMPARE(about->isVisible(), !closes);
  QCOMPARE(main_->window.isEnabled(), closes);
  QCOMPARE(main_->sysInfo.messages.size(), closes ? 0u : 1u);
}

// The caret goes to a byte of the engine's text, where a CR LF pair is one position of
// the document and a two-byte character one too. An append must remove nothing, so that
// a number costs the same however long the text.
void WindowTest::ResultBoxKeepsTheTextLastSet_data() {
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<bool>("appends");
  QTest::addColumn<int>("caret");
  QTest::addColumn<int>("documentCaret");
  QTest::newRow("appended") << QStringList{" 5, ", " 5,  12\r\n", " 5,  12\r\n 7, "}
                            << " 5,  12\n 7, " << true << 99 << 12;
  QTest::newRow("another start") << QStringList{" 5, ", " 6,  7\r\n"} << " 6,  7\n"
                                 << false << 0 << 0;
  QTest::newRow("CR LF split") << QStringList{" 5\r", " 5\r\n 6"} << " 5\n 6" << false << 4 << 3;
  QTest::newRow("non-ASCII") << QStringList{"\u00e9", "\u00e9\r\n\u20ac"} << "\u00e9\n\u20ac"
                             << true << 4 << 2;
}

void WindowTest::ResultBoxKeepsTheTextLastSet() {
  QFETCH(QStringList, texts);
  QFETCH(int, caret);
  ResultEdit box(nullptr);
  for (const QString& text : texts.first(texts.size() - 1)) box.SetText(text.toStdString());
  QSignalSpy changes(box.document(), &QTextDocument::contentsChange);
  box.SetText(texts.last().toStdString());
  box.SetCaret(caret);

  QCOMPARE(QString::fromStdString(box.Text()), texts.last());
  QTEST(box.toPlainText(), "shown");
  QTEST(changes.size() == 1 && changes[0][1].toInt() == 0, "appends");
  QTEST(box.textCursor().position(), "documentCaret");
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::WindowTest)
#include "window_test.moc"
