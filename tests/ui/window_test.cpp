// The main window, the About window and the result box as users meet them. The slots
// whose results depend on device pixels run again with QT_SCALE_FACTOR=2.
#include <QAccessible>
#include <QCryptographicHash>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "result_edit.h"
#include "window_fixture.h"

namespace sorvanto {

class WindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<MainWindow> main_;

  QWidget* Control(const char* name) { return main_->Control(name); }
  QDialog* OpenAbout() {
    QTest::mouseClick(Control("Command1"), Qt::LeftButton);
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == "frmAbout" && top->isVisible()) return qobject_cast<QDialog*>(top);
    }
    return nullptr;
  }
  static QRgb Pixel(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixel(at * widget->devicePixelRatio());
  }
  // WCAG's relative luminance, sRGB's curve taken as a power of 2.2: a colour's contrast to
  // a darker one is (L1 + 0.05) / (L2 + 0.05).
  static double Luminance(QColor c) {
    return 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
           0.0722 * std::pow(c.blueF(), 2.2);
  }

 private slots:
  void init() {
    QApplication::setApplicationName(QStringLiteral("Sorvanto"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    main_ = std::make_unique<MainWindow>();
    QVERIFY(QTest::qWaitForWindowExposed(&main_->window));
  }

  // The field's width and height, the two buttons' top and the result box's height, after a
  // press on the window's first pixel has hidden the field.
  void ResizeRule_data() {
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QList<int>>("layout");
    QTest::newRow("smaller") << false << QSize(525, 306) << QList{401, 393, 392, 392, 249};
    QTest::newRow("taller") << false << QSize(525, 473) << QList{401, 443, 442, 442, 299};
    QTest::newRow("larger") << false << QSize(792, 573) << QList{561, 543, 542, 542, 399};
    QTest::newRow("while minimised") << true << QSize(792, 573) << QList{401, 0, 392, 392, 249};
  }
  void ResizeRule() {
    QFETCH(QSize, requested);
    QFETCH(bool, minimised);
    QMouseEvent corner(QEvent::MouseButtonPress, QPointF(0, 0),
                       main_->window.mapToGlobal(QPointF()), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&main_->window, &corner);
    const QSize least = main_->window.size();  // it opens at its least size
    main_->window.setMinimumSize({});          // as where the window system does not keep to it
    if (minimised) main_->window.showMinimized();
    main_->window.resize(requested);
    QTRY_COMPARE(main_->window.size(), requested.expandedTo(least));
    const QRect field = Control("Picture1")->geometry();
    QTEST((QList{field.width(), field.height(), Control("ResetBtn")->y(), Control("Command1")->y(),
                 Control("ResultBox")->height()}),
          "layout");
  }

  // Pixels come through the window system, which works in device pixels; the field's top
  // row lies under the digest label's lowest one. The digests are those of " 1245 900 .375"
  // and " 1500 0 .375" as Python's hashlib gives them.
  void PointerMovesReachTheEngineInTwips_data() {
    QTest::addColumn<QPoint>("pixels");
    QTest::addColumn<QString>("digest");
    QTest::newRow("inside") << QPoint(83, 60) << "Current digest: E586B9A1DF75C308550D73DF2E4D676B";
    QTest::newRow("top row") << QPoint(100, 0)
                             << "Current digest: 1B429317CF6685B658739617FACF2E6C";
  }
  void PointerMovesReachTheEngineInTwips() {
    QFETCH(QPoint, pixels);
    QTest::mouseMove(main_->window.windowHandle(),
                     Control("Picture1")->mapTo(&main_->window, pixels));
    QMetaObject::invokeMethod(main_->Control<QTimer>("Trigger"), "timeout");
    QTEST(main_->Control<QLabel>("HashLbl")->text(), "digest");
  }

  // On a yellow field, focused, started by a double-click, with a line of the user's in front
  // of the numbers and the caret left at its start; a click stops the ticks, as does a reset.
  void RunFromFirstClickToReset() {
    constexpr QRgb kBarBlue = qRgb(0, 0, 127);
    QWidget* bar = Control("idSlider");
    auto* results = main_->Control<QPlainTextEdit>("ResultBox");
    auto* reset = main_->Control<QPushButton>("ResetBtn");
    auto* trigger = main_->Control<QTimer>("Trigger");
    Control("Picture1")->setFocus();
    QVERIFY(Pixel(&main_->window, QPoint(400, 200)) == qRgb(255, 255, 0) &&
            Pixel(Control("Picture1"), {2, 1}) != qRgb(255, 255, 0));
    QVERIFY(bar->contentsRect() == bar->rect().adjusted(2, 2, -2, -2) &&
            Control("PercLbl")->palette().color(QPalette::WindowText) == qRgb(255, 0, 0));
    const QImage unfocused = bar->grab().toImage();
    bar->setFocus();  // shows, and assistive tools read a percentage
    QAccessibleValueInterface* value = QAccessible::queryAccessibleInterface(bar)->valueInterface();
    QVERIFY(bar->grab().toImage() != unfocused && value && value->minimumValue() == 0 &&
            value->maximumValue() == 100 &&
            QAccessible::queryAccessibleInterface(results)->role() == QAccessible::EditableText);
    QTest::keyClicks(results, QStringLiteral("my"));
    QTest::keyClick(results, Qt::Key_Return, Qt::ShiftModifier);  // a line break, no paragraph
    QTest::keyClicks(results, QStringLiteral("pick\r"));
    results->moveCursor(QTextCursor::Start);
    QTest::mouseDClick(main_->window.windowHandle(), Qt::LeftButton, {}, QPoint(400, 200));
    for (int tick = 1; tick <= 101; ++tick) {
      main_->MovingTick();
      QCOMPARE(main_->Control<QLabel>("PercLbl")->text(), QString::number(tick - 1) + '%');
      if (tick == 51) QVERIFY(Pixel(bar, {30, 8}) == kBarBlue && Pixel(bar, {150, 8}) != kBarBlue);
    }
    QVERIFY(trigger->isActive() && trigger->interval() == 200);
    for (int tick = 0; tick < 2000 && results->blockCount() < 5; ++tick) main_->MovingTick();
    QVERIFY(results->blockCount() == 5 && results->textCursor().atEnd() &&
            main_->window.GetResultText().starts_with("my\r\npick\r\n "));
    QTest::mouseClick(Control("Picture1"), Qt::LeftButton);
    QVERIFY(!trigger->isActive());
    QTest::mouseClick(reset, Qt::LeftButton);
    QVERIFY(reset->text() == "Hover over yellow to reset." && !reset->isEnabled());
    main_->MovingTick();
    QVERIFY(results->toPlainText().isEmpty() && Pixel(bar, {20, 8}) != kBarBlue &&
            reset->text() == "Reset" && reset->isEnabled() && !trigger->isActive());
  }

  // Any exception, not only a numbered error, ends the program with a message.
  void ErrorInATickEndsTheProgram() {
    QTest::mouseClick(Control("Picture1"), Qt::LeftButton);
    main_->platform.failure = std::make_exception_ptr(std::bad_alloc());
    QEventLoop program;
    QString shown;
    QTimer::singleShot(0, this, [this] { main_->MovingTick(); });
    QTimer::singleShot(50, [&shown] {  // runs inside the message's own loop
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->close();
      }
    });
    QCOMPARE(program.exec(), 51);
    QCOMPARE(shown, "Sorvanto cannot go on (error 51).\n\ninternal error: std::bad_alloc");
    QVERIFY(!main_->Control<QTimer>("Trigger")->isActive() && !main_->window.isEnabled());
  }

  // Tab follows the controls' order and types nothing into the results; Enter presses
  // the focused button.
  void TabAndEnterWalkTheControls() {
    Control("Picture1")->setFocus();
    for (const char* next : {"idSlider", "ResultBox", "ResetBtn", "Command1", "Picture1"}) {
      QTest::keyClick(main_->window.focusWidget(), Qt::Key_Tab);
      QCOMPARE(main_->window.focusWidget()->objectName(), next);
    }
    QTest::keyClick(Control("ResetBtn"), Qt::Key_Return);
    QTest::keyClick(Control("Command1"), Qt::Key_Enter);
    QVERIFY(main_->Control<QPlainTextEdit>("ResultBox")->toPlainText().isEmpty() &&
            main_->Control<QPushButton>("ResetBtn")->text() == "Hover over yellow to reset." &&
            !main_->window.isEnabled());
  }

  // The window at its place each time it opens, a dialog of the main window with a close
  // box only and no icon of its own, the one window that takes input, which neither a
  // minimise nor a maximise of the main window hides; every way of closing gives the main
  // window its input back, and Enter on System Info runs the tool instead.
  void KeysAndClicksOnAbout_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("onSysInfo");
    QTest::newRow("Enter on OK") << int(Qt::Key_Return) << false;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
    QTest::newRow("close box") << int(Qt::Key_Close) << false;
    QTest::newRow("Enter on System Info") << int(Qt::Key_Return) << true;
  }
  void KeysAndClicksOnAbout() {
    QFETCH(int, key);
    QFETCH(bool, onSysInfo);
    QDialog* about = OpenAbout();
    QVERIFY(about->focusWidget()->objectName() == "cmdOK" && !main_->window.isEnabled() &&
            about->geometry().topLeft() == QPoint(156, 129) && about->windowIcon().isNull() &&
            about->windowHandle()->transientParent() == main_->window.windowHandle() &&
            !(about->windowFlags() & Qt::WindowMinMaxButtonsHint) &&
            about->minimumSize() == about->maximumSize() &&
            !about->focusWidget()->geometry().intersects(
                about->findChild<QWidget*>("cmdSysInfo")->geometry()));
    main_->window.showMinimized();
    main_->window.showMaximized();
    main_->window.windowHandle()->requestActivate();
    QTRY_VERIFY(!main_->window.close() && !main_->window.isMaximized() &&
                !main_->window.isMinimized() && about->isActiveWindow());
    about->move(300, 300);
    if (onSysInfo) about->findChild<QPushButton*>("cmdSysInfo")->setFocus();
    QObject rowLife;  // the main window takes input again before About goes
    bool enabledAsAboutHides = false;
    connect(about->windowHandle(), &QWindow::visibleChanged, &rowLife,
            [&](bool shown) { enabledAsAboutHides = !shown && main_->window.isEnabled(); });
    if (key == Qt::Key_Close) about->close();
    if (key != Qt::Key_Close) QTest::keyClick(about->focusWidget(), Qt::Key(key));
    QVERIFY(about->isVisible() == onSysInfo && enabledAsAboutHides == !onSysInfo &&
            main_->window.isEnabled() == !onSysInfo &&
            main_->sysInfo.messages.size() == (onSysInfo ? 1u : 0u));
    if (!onSysInfo) QCOMPARE(OpenAbout()->geometry().topLeft(), QPoint(156, 129));
  }

  // Title, description and notice black on a light window, as designed, though the theme's
  // text is blue; on a dark one the theme's own text, at a contrast of 4.5 or more; and so
  // again whenever the theme changes while About shows.
  void AboutTextsReadOnEveryPalette() {
    const auto undo = qScopeGuard([p = QApplication::palette()] { QApplication::setPalette(p); });
    QPalette light = QApplication::palette(), dark = light;
    light.setColor(QPalette::WindowText, QColor(0, 0, 128));
    dark.setColor(QPalette::Window, QColor(50, 50, 50));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    QApplication::setPalette(light);
    QDialog* about = OpenAbout();
    for (const bool isDark : {false, true, false}) {
      QApplication::setPalette(isDark ? dark : light);
      QCoreApplication::processEvents();  // where the windows hear of it
      const double background = Luminance(about->palette().color(QPalette::Window));
      for (const char* name : {"lblTitle", "lblDescription", "lblDisclaimer"}) {
        const QColor text = about->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
        QVERIFY2(isDark ? (Luminance(text) + 0.05) / (background + 0.05) >= 4.5 : text == Qt::black,
                 name);
      }
    }
  }

  // The etched rule between the description and the buttons: a grey pixel row over two white
  // ones, from the seventh and eighth pixel to the 377th (g grey, w white).
  void AboutDrawsItsRule() {
    const QImage about = OpenAbout()->grab().toImage();
    QString seen;
    for (int y = 162; y <= 166; ++y, seen += ' ') {
      for (int x : {5, 6, 7, 376, 377}) {
        const QRgb pixel = about.pixel(QPoint(x, y) * about.devicePixelRatio());
        seen += pixel == qRgb(128, 128, 128) ? 'g' : pixel == qRgb(255, 255, 255) ? 'w' : '.';
      }
    }
    QCOMPARE(seen, "..... .ggg. ..ww. ..ww. ..... ");
  }

  // What both windows show and tell assistive tools: titles, every named control's text,
  // names and descriptions, and whether it shows a picture, against a digest of them as
  // last reviewed on screen: a change must be looked at (the failure prints them all). The
  // window's icon comes in every size it is drawn at, so that the window system scales none.
  void WindowsShowWhatWasReviewed() {
    QString seen;
    for (QWidget* window : QWidgetList{&main_->window, OpenAbout()}) {
      for (QWidget* control : window->findChildren<QWidget*>() + QWidgetList{window}) {
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) continue;
        QDebug(&seen) << control->objectName() << control->windowTitle()
                      << control->property("text").toString() << control->accessibleName()
                      << control->accessibleDescription()
                      << control->property("pixmap").value<QPixmap>().isNull() << "\n";
      }
    }
    const QByteArray md5 = QCryptographicHash::hash(seen.toUtf8(), QCryptographicHash::Md5);
    QVERIFY2(md5.toHex() == "9dfb97eaa87c4d1fe3b528b02fc980aa", qPrintable(seen));
    QCOMPARE(main_->window.windowIcon().availableSizes(),
             (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
  }

  // The caret goes to a byte of the engine's text, where a CR LF pair is one position of
  // the document and a two-byte character one too. An append removes nothing, so that a
  // number costs the same however long the text.
  void ResultBoxKeepsTheTextLastSet_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QList<int>>("appendsAndCarets");
    QTest::newRow("appended") << QStringList{" 5, ", " 5,  12\r\n", " 5,  12\r\n 7, "}
                              << " 5,  12\n 7, " << QList{1, 99, 12};
    QTest::newRow("new") << QStringList{" 5, ", " 6,  7\r\n"} << " 6,  7\n" << QList{0, 0, 0};
    QTest::newRow("CR LF split") << QStringList{" 5\r", " 5\r\n 6"} << " 5\n 6" << QList{0, 4, 3};
    QTest::newRow("non-ASCII") << QStringList{"\u00e9", "\u00e9\r\n\u20ac"} << "\u00e9\n\u20ac"
                               << QList{1, 4, 2};
  }
  void ResultBoxKeepsTheTextLastSet() {
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, appendsAndCarets);
    ResultEdit box(nullptr);
    for (const QString& text : texts.first(texts.size() - 1)) box.SetText(text.toStdString());
    QSignalSpy changes(box.document(), &QTextDocument::contentsChange);
    box.SetText(texts.last().toStdString());
    box.SetCaret(appendsAndCarets[1]);
    QCOMPARE(QString::fromStdString(box.Text()), texts.last());
    QTEST(box.toPlainText(), "shown");
    QCOMPARE(changes.size() == 1 && changes[0][1].toInt() == 0, appendsAndCarets[0] == 1);
    QCOMPARE(box.textCursor().position(), appendsAndCarets[2]);
  }
};

}  // namespace sorvanto

QTEST_MAIN(sorvanto::WindowTest)
#include "window_test.moc"
