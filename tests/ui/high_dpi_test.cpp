// The main window where one logical pixel is two device pixels (run with
// QT_SCALE_FACTOR=2): pointer moves that come in from the window system still reach the
// engine as 15 twips per logical pixel, the layout keeps its logical geometry, and the
// icon is drawn for the device pixels rather than enlarged.
#include <QApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "fake_engine_platform.h"
#include "fake_sys_info.h"
#include "sorvanto_frm.h"

namespace sorvanto {

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void PointerMovesReachTheEngineInTwipsOfLogicalPixels_data();
  void PointerMovesReachTheEngineInTwipsOfLogicalPixels();
  void LayoutKeepsItsLogicalGeometry_data();
  void LayoutKeepsItsLogicalGeometry();
  void AboutIconHasADevicePixelForEachPixel();

 private:
  template <typename T = QWidget>
  T* Control(const char* name) {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }

  std::unique_ptr<FakeEnginePlatform> platform_;
  FakeSysInfo sysInfo_;
  std::unique_ptr<SorvantoFrm> window_;
};

void HighDpiTest::init() {
  window_.reset();
  platform_ = std::make_unique<FakeEnginePlatform>();
  window_ = std::make_unique<SorvantoFrm>(*platform_, sysInfo_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  // Without the scale every check here would hold trivially.
  QCOMPARE(window_->devicePixelRatio(), 2.0);
}

void HighDpiTest::PointerMovesReachTheEngineInTwipsOfLogicalPixels_data() {
  QTest::addColumn<QPoint>("pixels");
  QTest::addColumn<QByteArray>("hashed");
  QTest::newRow("near the corner") << QPoint(1, 2) << QByteArray(" 15 30 .375");
  QTest::newRow("inside") << QPoint(83, 60) << QByteArray(" 1245 900 .375");
  QTest::newRow("near the far corner") << QPoint(400, 392) << QByteArray(" 6000 5880 .375");
}

void HighDpiTest::PointerMovesReachTheEngineInTwipsOfLogicalPixels() {
  QFETCH(QPoint, pixels);
  QFETCH(QByteArray, hashed);
  platform_->randoms = {0.375f};
  // Through the window system, which works in device pixels, not straight to the field.
  QTest::mouseMove(window_->windowHandle(), Control("Picture1")->mapTo(window_.get(), pixels));
  QMetaObject::invokeMethod(Control<QTimer>("Trigger"), "timeout");

  const QByteArray md5 = QCryptographicHash::hash(hashed, QCryptographicHash::Md5);
  QCOMPARE(Control<QLabel>("HashLbl")->text(), "Current digest: " + md5.toHex().toUpper());
}

void HighDpiTest::LayoutKeepsItsLogicalGeometry_data() {
  QTest::addColumn<QSize>("requested");
  QTest::addColumn<QSize>("inner");
  QTest::newRow("below the minimum") << QSize(525, 306) << QSize(632, 423);
  QTest::newRow("grown") << QSize(792, 573) << QSize(792, 573);
}

void HighDpiTest::LayoutKeepsItsLogicalGeometry() {
  QFETCH(QSize, requested);
  QFETCH(QSize, inner);
  window_->resize(requested);
  QTRY_COMPARE(window_->size(), inner);

  const int w = inner.width();
  const int h = inner.height();
  QCOMPARE(Control("Picture1")->geometry(), QRect(224, 24, w - 231, h - 30));
  QCOMPARE(Control("ResetBtn")->geometry(), QRect(8, h - 31, 137, 25));
  QCOMPARE(Control("Command1")->geometry(), QRect(152, h - 31, 65, 25));
  QCOMPARE(Control("ResultBox")->geometry(), QRect(8, 136, 209, h - 174));
  QCOMPARE(Control("idSlider")->geometry(), QRect(8, 112, 209, 17));
  QCOMPARE(Control("Label1")->geometry(), QRect(8, 8, 209, 97));
  QCOMPARE(window_->grab().size(), inner * 2);
}

void HighDpiTest::AboutIconHasADevicePixelForEachPixel() {
  QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
  const QWidgetList windows = QApplication::topLevelWidgets();
  const auto about = std::ranges::find_if(
      windows, [](QWidget* widget) { return widget->objectName() == "frmAbout"; });
  QVERIFY(about != windows.end());

  const QPixmap icon = (*about)->findChild<QLabel*>("picIcon")->pixmap();
  QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
  QCOMPARE(icon.size(), QSize(64, 64));
  // The left edge of the first box, one pixel wide at 32 x 32, is exactly two device
  // pixels wide with white on either side; an enlarged 32 x 32 image blurs it.
  const QImage image = icon.toImage();
  QCOMPARE(image.pixel(3, 10), qRgb(255, 255, 255));
  QCOMPARE(image.pixel(4, 10), qRgb(244, 113, 121));
  QCOMPARE(image.pixel(5, 10), qRgb(244, 113, 121));
  QCOMPARE(image.pixel(6, 10), qRgb(255, 255, 255));
  qobject_cast<QDialog*>(*about)->accept();
}

}  // namespace sorvanto

QTEST_MAIN(sorvanto::HighDpiTest)
#include "high_dpi_test.moc"
