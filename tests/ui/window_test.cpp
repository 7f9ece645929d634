// The main window, the About window and the result box, as users and screen readers meet
// them. The slots whose results depend on device pixels run again with QT_SCALE_FACTOR=2.
#include <QAccessible>
#include <QCryptographicHash>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "result_edit.h"
#include "window_fixture.h"

Q_DECLARE_METATYPE(std::exception_ptr)

namespace sorvanto {

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void StartUpFailsWithoutATable();
  void ResizeRule_data();
  void ResizeRule();
  void CornerPressHidesTheFieldUntilTheNextResize_data();
  void CornerPressHidesTheFieldUntilTheNextResize();
  void PointerMovesReachTheEngineInTwips_data();
  void PointerMovesReachTheEngineInTwips();
  void RunFromFirstClickToReset();
  void ErrorInATickEndsTheProgram_data();
  void ErrorInATickEndsTheProgram();
  void TabAndEnterWalkTheControls();
  void EveryControlIsNamed_data();
  void EveryControlIsNamed();
  void AboutIconIsDrawnForTheDevicePixels();
  void KeysAndClicksOnAbout_data();
  void KeysAndClicksOnAbout();
  void ResultBoxKeepsTheTextLastSet_data();
  void ResultBoxKeepsTheTextLastSet();

 private:
  static QDialog* About() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "frmAbout" && widget->isVisible())
        return qobject_cast<QDialog*>(widget);
    }
    return nullptr;
  }
  QDialog* OpenAbout() {
    QTest::mouseClick(main_->Control("Command1"), Qt::LeftButton);
    return About();
  }
  QRgb Pixel(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixel(at * widget->devicePixelRatio());
  }

  std::unique_ptr<MainWindow> main_;
};

void WindowTest::init() {
  QApplication::setApplicationName(QStringLiteral("Sorvanto"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  main_ = std::make_unique<MainWindow>();
  QVERIFY(QTest::qWaitForWindowExposed(&main_->window));
  QCOMPARE(main_->window.devicePixelRatio(),
           qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
}

void WindowTest::StartUpFailsWithoutATable() {
  FakeEnginePlatform platform(false);
  QVERIFY_THROWS_EXCEPTION(RunError, SorvantoFrm(platform, main_->sysInfo));
}

void WindowTest::ResizeRule_data() {
  QTest::addColumn<bool>("minimised");
  QTest::addColumn<QSize>("requested");
  QTest::addColumn<QSize>("field");
  QTest::addColumn<int>("buttonsTop");
  QTest::addColumn<int>("resultHeight");
  QTest::newRow("below the minimum") << false << QSize(525, 306) << QSize(401, 393) << 392 << 249;
  QTest::newRow("taller") << false << QSize(525, 473) << QSize(401, 443) << 442 << 299;
  QTest::newRow("larger") << false << QSize(792, 573) << QSize(561, 543) << 542 << 399;
  QTest::newRow("while minimised") << true << QSize(792, 573) << QSize(401, 393) << 392 << 249;
}

void WindowTest::ResizeRule() {
  QFETCH(bool, minimised);
  QFETCH(QSize, requested);
  if (minimised) main_->window.showMinimized();
  main_->window.resize(requested);
  QTRY_COMPARE(main_->window.size(), requested.expandedTo(QSize(632, 423)));
  QCOMPARE(main_->Control("Picture1")->pos(), QPoint(224, 24));
  QTEST(main_->Control("Picture1")->size(), "field");
  QTEST(main_->Control("ResetBtn")->y(), "buttonsTop");
  QTEST(main_->Control("Command1")->y(), "buttonsTop");
  QTEST(main_->Control("ResultBox")->height(), "resultHeight");
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

// Whole pixels come through the window system, which works in device pixels; the top
// row of the field lies under the digest label's lowest row.
void WindowTest::PointerMovesReachTheEngineInTwips_data() {
  QTest::addColumn<QPointF>("pixels");
  QTest::addColumn<QByteArray>("hashed");
  QTest::newRow("whole pixels") << QPointF(83, 60) << QByteArray(" 1245 900 .375");
  QTest::newRow("top row") << QPointF(100, 0) << QByteArray(" 1500 0 .375");
  QTest::newRow("fractions") << QPointF(83.5, 60.25) << QByteArray(" 1252.5 903.75 .375");
}

void WindowTest::PointerMovesReachTheEngineInTwips() {
  QFETCH(QPointF, pixels);
  QWidget* field = main_->Control("Picture1");
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

// With a line of the user's in front of the numbers, and the caret left at its start.
void WindowTest::RunFromFirstClickToReset() {
  constexpr QRgb kBarBlue = qRgb(0, 0, 127);
  QWidget* bar = main_->Control("idSlider");
  auto* results = main_->Control<QPlainTextEdit>("ResultBox");
  auto* reset = main_->Control<QPushButton>("ResetBtn");
  QAccessibleInterface* barValue = QAccessible::queryAccessibleInterface(bar);
  QCOMPARE(Pixel(&main_->window, QPoint(400, 200)), qRgb(255, 255, 0));
  QTest::keyClicks(results, QStringLiteral("my pick\r"));
  results->moveCursor(QTextCursor::Start);
  QTest::mouseClick(main_->Control("Picture1"), Qt::LeftButton);
  for (int tick = 1; tick <= 101; ++tick) {
    main_->MovingTick();
    QCOMPARE(main_->Control<QLabel>("PercLbl")->text(), QString::number(tick - 1) + '%');
    QCOMPARE(barValue->valueInterface()->currentValue().toInt(), tick - 1);
    if (tick == 51) QVERIFY(Pixel(bar, {30, 8}) == kBarBlue && Pixel(bar, {150, 8}) != kBarBlue);
  }
  QCOMPARE(barValue->text(QAccessible::Value), "100%");
  QCOMPARE(main_->Control<QTimer>("Trigger")->interval(), 200);
  for (int tick = 0; tick < 2000 && results->blockCount() < 5; ++tick) main_->MovingTick();
  QCOMPARE(results->blockCount(), 5);
  QVERIFY(main_->window.GetResultText().starts_with("my pick\r\n "));
  QVERIFY(results->textCursor().atEnd());

  QTest::mouseClick(reset, Qt::LeftButton);
  QVERIFY(reset->text() == "Hover over yellow to reset." && !reset->isEnabled());
  main_->MovingTick();
  QVERIFY(results->toPlainText().isEmpty() && Pixel(bar, {20, 8}) != kBarBlue);
  QVERIFY(reset->text() == "Reset" && reset->isEnabled());
}

void WindowTest::ErrorInATickEndsTheProgram_data() {
  QTest::addColumn<std::exception_ptr>("failure");
  QTest::addColumn<int>("code");
  QTest::newRow("run-time error") << std::make_exception_ptr(RunError(ErrorNumber::kOverflow, ""))
                                  << 6;
  QTest::newRow("any other") << std::make_exception_ptr(std::bad_alloc()) << 51;
}

void WindowTest::ErrorInATickEndsTheProgram() {
  QTimer dismissMessage;
  connect(&dismissMessage, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  dismissMessage.start(10);
  QTest::mouseClick(main_->Control("Picture1"), Qt::LeftButton);
  QFETCH(std::exception_ptr, failure);
  main_->platform.failure = failure;
  QEventLoop program;
  QTimer::singleShot(0, this, [this] { main_->MovingTick(); });
  QTEST(program.exec(), "code");
  QVERIFY(!main_->Control<QTimer>("Trigger")->isActive() && !main_->window.isEnabled());
  // Until an exec() of the application ends, every event loop would end at once.
  QTimer::singleShot(0, [] { QCoreApplication::exit(); });
  QCoreApplication::exec();
}

// Tab follows the controls' order and leaves the result box as it is; Enter presses the
// focused button.
void WindowTest::TabAndEnterWalkTheControls() {
  main_->Control("Picture1")->setFocus();
  for (const char* next : {"idSlider", "ResultBox", "ResetBtn", "Command1", "Picture1"}) {
    QTest::keyClick(main_->window.focusWidget(), Qt::Key_Tab);
    QCOMPARE(main_->window.focusWidget()->objectName(), next);
  }
  QCOMPARE(main_->Control<QPlainTextEdit>("ResultBox")->toPlainText(), "");
  QTest::keyClick(main_->Control("ResetBtn"), Qt::Key_Return);
  QCOMPARE(main_->Control<QPushButton>("ResetBtn")->text(), "Hover over yellow to reset.");
  QTest::keyClick(main_->Control("Command1"), Qt::Key_Enter);
  QVERIFY(About() && !main_->window.isEnabled());
}

// A label's name is its text, so the About rows also check what that window shows.
void WindowTest::EveryControlIsNamed_data() {
  QTest::addColumn<bool>("about");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("holds");
  QTest::addColumn<bool>("described");
  const auto row = [](bool about, const char* name, const char* holds, bool described) {
    QTest::newRow(name) << about << QString(name) << QString::fromUtf8(holds) << described;
  };
  row(false, "SorvantoFrm", "Sorvanto", true);
  row(false, "Label1", "Instructions (do everything on yellow field):", false);
  row(false, "Picture1", "Yellow field", true);
  row(false, "idSlider", "Warm-up", true);
  row(false, "PercLbl", "0%", false);
  row(false, "HashLbl", "", true);  // empty until the first movement
  row(false, "ResultBox", "Drawn combinations", true);
  row(false, "ResetBtn", "Reset", true);
  row(false, "Command1", "About", true);
  row(false, "AuthLbl", "Sorvanto, made by", false);
  row(true, "frmAbout", "About Sorvanto", false);
  row(true, "picIcon", "Program icon", false);
  row(true, "lblTitle", "Sorvanto", false);
  row(true, "lblVersion", "Version 1.0.0", false);
  row(true, "lblDescription", "movement of the mouse.\n\nFreeware, \u00a9 2026 ", false);
  row(true, "cmdOK", "OK", true);
  row(true, "cmdSysInfo", "System Info...", true);
}

void WindowTest::EveryControlIsNamed() {
  QFETCH(bool, about);
  QFETCH(QString, name);
  QWidget* top = about ? OpenAbout() : static_cast<QWidget*>(&main_->window);
  QWidget* widget = top->objectName() == name ? top : top->findChild<QWidget*>(name);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  QFETCH(QString, holds);
  QVERIFY2(accessible->text(QAccessible::Name).contains(holds),
           qPrintable(accessible->text(QAccessible::Name)));
  QTEST(!accessible->text(QAccessible::Description).isEmpty(), "described");
}

// The left edge of the first box is one pixel wide at 32 x 32, with white on either
// side: as many device pixels wide as a pixel has, where an enlarged image blurs it.
void WindowTest::AboutIconIsDrawnForTheDevicePixels() {
  QDialog* about = OpenAbout();
  const QPixmap icon = about->findChild<QLabel*>("picIcon")->pixmap();
  QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
  const int scale = qRound(about->devicePixelRatio());
  const QImage image = icon.toImage();
  QCOMPARE(image.pixel(2 * scale - 1, 5 * scale), qRgb(255, 255, 255));
  for (int x = 2 * scale; x < 3 * scale; ++x)
    QCOMPARE(image.pixel(x, 5 * scale), qRgb(244, 113, 121));
  QCOMPARE(image.pixel(3 * scale, 5 * scale), qRgb(255, 255, 255));
}

// Every way of closing gives the main window its input back, and the window opens at
// its place again; Enter on System Info runs the tool (here: reports it missing) instead.
void WindowTest::KeysAndClicksOnAbout_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("onSysInfo");
  QTest::newRow("OK clicked") << 0 << false;
  QTest::newRow("Enter on OK") << int(Qt::Key_Return) << false;
  QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
  QTest::newRow("close box") << int(Qt::Key_Close) << false;
  QTest::newRow("Enter on System Info") << int(Qt::Key_Return) << true;
}

void WindowTest::KeysAndClicksOnAbout() {
  QFETCH(int, key);
  QFETCH(bool, onSysInfo);
  QDialog* about = OpenAbout();
  QCOMPARE(about->geometry().topLeft(), QPoint(156, 129));
  QVERIFY(about->focusWidget() == about->findChild<QPushButton*>("cmdOK") &&
          !main_->window.isEnabled());
  about->move(300, 300);
  if (onSysInfo) about->findChild<QPushButton*>("cmdSysInfo")->setFocus();
  if (key == 0) QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  if (key == Qt::Key_Close) about->close();
  if (key != 0 && key != Qt::Key_Close) QTest::keyClick(about->focusWidget(), Qt::Key(key));
  QCOMPARE(about->isVisible(), onSysInfo);
  QCOMPARE(main_->window.isEnabled(), !onSysInfo);
  QCOMPARE(main_->sysInfo.messages.size(), onSysInfo ? 1u : 0u);
  if (!onSysInfo) QCOMPARE(OpenAbout()->geometry().topLeft(), QPoint(156, 129));
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
