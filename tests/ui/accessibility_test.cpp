// What a screen reader finds in both windows, read through QAccessible: the role, name
// and description of every control, and the warm-up bar's value, which must follow the
// warm-up tick by tick.
#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fake_engine_platform.h"
#include "fake_sys_info.h"
#include "sorvanto_frm.h"

namespace sorvanto {
namespace {

constexpr bool kMainWindow = false;
constexpr bool kAboutWindow = true;

// Sent directly, as in the main window's test: a move over the field needs no button.
void MoveOver(QWidget* field, QPointF position) {
  QMouseEvent event(QEvent::MouseMove, position, field->mapToGlobal(position), Qt::NoButton,
                    Qt::NoButton, {});
  QApplication::sendEvent(field, &event);
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void EveryControlIsNamedAndDescribed_data();
  void EveryControlIsNamedAndDescribed();
  void WarmUpBarValueFollowsEveryTick();

 private:
  QWidget* Find(bool about, const QString& control);
  QAccessibleInterface* Accessible(const char* control);
  void MovingTick();

  FakeEnginePlatform platform_;
  FakeSysInfo sysInfo_;
  std::unique_ptr<SorvantoFrm> window_;
  int moves_ = 0;
};

void AccessibilityTest::initTestCase() {
  QApplication::setApplicationName(QStringLiteral("Sorvanto"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
}

void AccessibilityTest::init() {
  window_ = std::make_unique<SorvantoFrm>(platform_, sysInfo_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void AccessibilityTest::cleanup() { window_.reset(); }

// A control of the main window, or of the About window, which this opens.
QWidget* AccessibilityTest::Find(bool about, const QString& control) {
  QWidget* top = window_.get();
  if (about) {
    window_->findChild<QPushButton*>("Command1")->click();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "frmAbout" && widget->isVisible()) top = widget;
    }
  }
  if (top->objectName() == control) return top;
  return top->findChild<QWidget*>(control);
}

QAccessibleInterface* AccessibilityTest::Accessible(const char* control) {
  return QAccessible::queryAccessibleInterface(Find(kMainWindow, control));
}

void AccessibilityTest::MovingTick() {
  ++moves_;
  MoveOver(Find(kMainWindow, "Picture1"), QPointF(moves_ % 300, moves_ / 300));
  QMetaObject::invokeMethod(window_->findChild<QTimer*>("Trigger"), "timeout");
}

void AccessibilityTest::EveryControlIsNamedAndDescribed_data() {
  QTest::addColumn<bool>("about");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QAccessible::Role>("role");
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("described");

  QTest::newRow("main window") << kMainWindow << "SorvantoFrm" << QAccessible::Client << "Sorvanto"
                               << true;
  QTest::newRow("instructions") << kMainWindow << "Label1" << QAccessible::StaticText
                                << "Instructions (do everything on yellow field):" << false;
  QTest::newRow("field") << kMainWindow << "Picture1" << QAccessible::Client << "Yellow field"
                         << true;
  QTest::newRow("warm-up bar") << kMainWindow << "idSlider" << QAccessible::ProgressBar << "Warm-up"
                               << true;
  QTest::newRow("percentage") << kMainWindow << "PercLbl" << QAccessible::StaticText << "0%"
                              << false;
  // The digest label reads its text, which is empty until the first movement.
  QTest::newRow("digest") << kMainWindow << "HashLbl" << QAccessible::StaticText << "" << true;
  QTest::newRow("result box") << kMainWindow << "ResultBox" << QAccessible::EditableText
                              << "Drawn combinations" << true;
  QTest::newRow("reset") << kMainWindow << "ResetBtn" << QAccessible::Button << "Reset" << true;
  QTest::newRow("about") << kMainWindow << "Command1" << QAccessible::Button << "About" << true;
  QTest::newRow("credits") << kMainWindow << "AuthLbl" << QAccessible::StaticText
                           << "Sorvanto, made by" << false;

  QTest::newRow("About window") << kAboutWindow << "frmAbout" << QAccessible::Dialog
                                << "About Sorvanto" << false;
  QTest::newRow("icon") << kAboutWindow << "picIcon" << QAccessible::Graphic << "Program icon"
                        << false;
  QTest::newRow("title") << kAboutWindow << "lblTitle" << QAccessible::StaticText << "Sorvanto"
                         << false;
  QTest::newRow("version") << kAboutWindow << "lblVersion" << QAccessible::StaticText
                           << "Version 1.0.0" << false;
  QTest::newRow("description") << kAboutWindow << "lblDescription" << QAccessible::StaticText
                               << "This program generates Lotto combinations" << false;
  QTest::newRow("OK") << kAboutWindow << "cmdOK" << QAccessible::Button << "OK" << true;
  QTest::newRow("system info") << kAboutWindow << "cmdSysInfo" << QAccessible::Button
                               << "System Info..." << true;
}

// Names are compared up to the expected text: a label's name is its whole text.
void AccessibilityTest::EveryControlIsNamedAndDescribed() {
  QFETCH(bool, about);
  QFETCH(QString, control);
  QFETCH(QAccessible::Role, role);
  QFETCH(QString, name);
  QFETCH(bool, described);
  QWidget* widget = Find(about, control);
  QVERIFY(widget);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  QVERIFY(accessible);
  QCOMPARE(accessible->role(), role);
  QCOMPARE(accessible->text(QAccessible::Name).left(name.size()), name);
  QCOMPARE(!accessible->text(QAccessible::Description).isEmpty(), described);
}

void AccessibilityTest::WarmUpBarValueFollowsEveryTick() {
  QAccessibleInterface* bar = Accessible("idSlider");
  QAccessibleValueInterface* value = bar->valueInterface();
  QVERIFY(value);
  QCOMPARE(value->minimumValue().toInt(), 0);
  QCOMPARE(value->maximumValue().toInt(), 100);
  QCOMPARE(value->currentValue().toInt(), 0);

  QTest::mouseClick(Find(kMainWindow, "Picture1"), Qt::LeftButton);
  for (int percent = 0; percent <= 100; ++percent) {
    MovingTick();
    QCOMPARE(value->currentValue().toInt(), percent);
    QCOMPARE(bar->text(QAccessible::Value), QString::number(percent) + '%');
  }
  MovingTick();
  QCOMPARE(value->currentValue().toInt(), 100);

  window_->findChild<QPushButton*>("ResetBtn")->click();
  MovingTick();
  QCOMPARE(value->currentValue().toInt(), 0);
  QCOMPARE(bar->text(QAccessible::Value), "0%");
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::AccessibilityTest)
#include "accessibility_test.moc"
