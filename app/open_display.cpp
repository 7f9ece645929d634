#include "open_display.h"

#include <cstdio>
#include <cstdlib>

#include "run_error.h"

namespace sorvanto {
namespace {

// The classic numbered error "device unavailable", in the list of the program's exit
// statuses beside those of the weight table.
constexpr int kDeviceUnavailable = 68;

QtMessageHandler qtHandler = nullptr;

// Qt reports a display it cannot open as a fatal message and then aborts; this takes its
// place for that one message, while the application is being created.
void EndWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) return qtHandler(type, context, text);
  const QByteArray display = qgetenv("DISPLAY");
  const std::string tried = display.isEmpty()
                                ? "DISPLAY is not set"
                                : QuoteInput(display.toStdString()) + ", from DISPLAY";
  std::fprintf(stderr, "Sorvanto cannot open a display (error %d): %s.\n", kDeviceUnavailable,
               tried.c_str());
  std::_Exit(kDeviceUnavailable);
}

}  // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv) {
  qtHandler = qInstallMessageHandler(EndWithoutDisplay);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtHandler);
  return app;
}

}  // namespace sorvanto
