// The About window: what it shows on every opening, and every way of closing it, each
// of which must give the main window its input back.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "fake_engine_platform.h"
#include "fake_sys_info.h"
#include "sorvanto_frm.h"
#include "sys_info.h"

namespace sorvanto {

class FrmAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void ShowsTitleVersionAndIconOnEveryOpening();
  void EveryWayOfClosingEnablesTheMainWindow_data();
  void EveryWayOfClosingEnablesTheMainWindow();
  void EnterOnSystemInfoStartsTheToolInstead();

 private:
  QDialog* OpenAbout();

  FakeEnginePlatform platform_;
  FakeSysInfo sysInfo_;
  std::unique_ptr<SorvantoFrm> window_;
};

void FrmAboutTest::init() {
  QApplication::setApplicationName(QStringLiteral("Sorvanto"));
  QApplication::setApplicationVersion(QStringLiteral(SORVANTO_VERSION));
  window_.reset();
  window_ = std::make_unique<SorvantoFrm>(platform_, sysInfo_);
  window_->show();
}

QDialog* FrmAboutTest::OpenAbout() {
  QTest::mouseClick(window_->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  const QWidgetList windows = QApplication::topLevelWidgets();
  const auto about = std::ranges::find_if(windows, [](QWidget* widget) {
    return widget->objectName() == "frmAbout" && widget->isVisible();
  });
  return about == windows.end() ? nullptr : qobject_cast<QDialog*>(*about);
}

void FrmAboutTest::ShowsTitleVersionAndIconOnEveryOpening() {
  for (const QString version : {"1.0.0", "12.3.45"}) {
    QApplication::setApplicationVersion(version);
    QDialog* about = OpenAbout();
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), "About Sorvanto");
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), "Sorvanto");
    QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), "Version " + version);
    QCOMPARE(about->geometry(), QRect(156, 129, 382, 237));
    const QImage icon = about->findChild<QLabel*>("picIcon")->pixmap().toImage();
    QCOMPARE(icon, window_->windowIcon().pixmap(32).toImage());
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(icon.pixel(2, 5), qRgb(244, 113, 121));
    about->accept();
  }
}

void FrmAboutTest::EveryWayOfClosingEnablesTheMainWindow_data() {
  QTest::addColumn<QString>("way");
  QTest::newRow("OK clicked") << "click";
  QTest::newRow("Enter on OK") << "enter";
  QTest::newRow("Esc") << "escape";
  QTest::newRow("close box") << "close";
}

void FrmAboutTest::EveryWayOfClosingEnablesTheMainWindow() {
  QFETCH(QString, way);
  QDialog* about = OpenAbout();
  QVERIFY(about);
  auto* ok = about->findChild<QPushButton*>("cmdOK");
  QCOMPARE(about->focusWidget(), ok);
  QVERIFY(!window_->isEnabled());

  if (way == "click") QTest::mouseClick(ok, Qt::LeftButton);
  if (way == "enter") QTest::keyClick(ok, Qt::Key_Return);
  if (way == "escape") QTest::keyClick(about, Qt::Key_Escape);
  if (way == "close") about->close();
  QVERIFY(!about->isVisible());
  QVERIFY(window_->isEnabled() && window_->isVisible());
}

void FrmAboutTest::EnterOnSystemInfoStartsTheToolInstead() {
  QDialog* about = OpenAbout();
  QVERIFY(about);
  auto* sysInfoButton = about->findChild<QPushButton*>("cmdSysInfo");
  sysInfoButton->setFocus();
  QTest::keyClick(sysInfoButton, Qt::Key_Return);

  QCOMPARE(sysInfo_.messages, std::vector{std::string(kSysInfoUnavailable)});
  QVERIFY(about->isVisible() && !window_->isEnabled());
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::FrmAboutTest)
#include "frm_about_test.moc"
