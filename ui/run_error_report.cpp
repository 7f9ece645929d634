#include "run_error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace sorvanto {

QString RunErrorText(const RunError& error) {
  return QStringLiteral("%1 cannot go on (error %2).\n\n%3")
      .arg(QApplication::applicationName())
      .arg(error.Code())
      .arg(QString::fromUtf8(error.what()));
}

void ReportRunError(const RunError& error) {
  const QString text = RunErrorText(error);
  std::fprintf(stderr, "%s\n", text.toUtf8().constData());
  QMessageBox::critical(nullptr, QApplication::applicationName(), text);
}

}  // namespace sorvanto
