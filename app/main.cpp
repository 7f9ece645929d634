// Sorvanto: lottery combinations from the movements of the mouse.
#include <QApplication>

#include "open_display.h"
#include "run_error.h"
#include "run_error_report.h"
#include "running_mark.h"
#include "sorvanto_frm.h"
#include "system_platform.h"
#include "system_sys_info.h"

int main(int argc, char* argv[]) {
  sorvanto::MarkRunning(SORVANTO_APP_ID);
  const auto app = sorvanto::OpenDisplay(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorvanto"));
  QApplication::setApplicationVersion(QStringLiteral(SORVANTO_VERSION));
  // Lets the desktop match the window to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(SORVANTO_APP_ID));
  sorvanto::SystemPlatform platform(QApplication::beep);
  const auto sysInfo = sorvanto::CreateSystemSysInfo(QApplication::applicationName().toStdString());
  try {
    sorvanto::SorvantoFrm window(platform, *sysInfo);
    window.show();
    return app->exec();
  } catch (const std::exception& exception) {
    const sorvanto::RunError error = sorvanto::AsRunError(exception);
    sorvanto::ReportRunError(error);
    return error.Code();
  }
}
