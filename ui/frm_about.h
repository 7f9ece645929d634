// The About window: the program's title, version, icon and description, and a button
// that starts the system information tool. It belongs to the main window as a dialog
// with no icon and no taskbar entry of its own; the main window disables itself while it
// is open, and every way of closing it enables the main window again.
#pragma once

#include <QDialog>

#include "sys_info_platform.h"

class QLabel;
class QPushButton;

namespace sorvanto {

class FrmAbout final : public QDialog {
  Q_OBJECT

 public:
  FrmAbout(QWidget& mainWindow, SysInfoPlatform& sysInfo);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetUpWindow();
  void CreateControls();
  void ColourTexts();
  void WireEvents();
  void Form_Load();
  void Form_Unload();
  void cmdSysInfo_Click();

  QWidget& mainWindow_;
  SysInfoPlatform& sysInfo_;
  QLabel* picIcon = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDisclaimer = nullptr;
};

}  // namespace sorvanto
