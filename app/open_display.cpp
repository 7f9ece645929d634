#include "open_display.h"

#include <cstdio>
#include <cstdlib>

#include "run_error.h"

namespace sorvanto {
namespace {

// The classic numbered errors "device unavailable" and "error in loading DLL", in the
// list of the program's exit statuses beside those of the weight table.
constexpr int kDeviceUnavailable = 68;
constexpr int kPlatformUnavailable = 48;

QtMessageHandler qtHandler = nullptr;
// The xcb platform warns that it could not connect to the display before its fatal
// message; every other cause of that message is told by the message itself.
bool displayRefused = false;

// Qt reports a platform it cannot set up as a fatal message and then aborts; this takes
// its place for that one message, while the application is being created.
void EndWithoutPlatform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    displayRefused |= text.startsWith(QLatin1String("could not connect to display"));
    return qtHandler(type, context, text);
  }
  if (!displayRefused) {
    qtHandler(type, context, text);
    std::fprintf(stderr,
                 "Sorvanto cannot start Qt's platform plugin (error %d); Qt says why above.\n",
                 kPlatformUnavailable);
    std::_Exit(kPlatformUnavailable);
  }
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
  qtHandler = qInstallMessageHandler(EndWithoutPlatform);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtHandler);
  return app;
}

}  // namespace sorvanto
