// The references for the start-up benchmark: the least a Qt Widgets program does to
// show a window of the main window's size and, given the argument "text", the same
// window with one line of text in it, which is what showing any text at all costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(SORVANTO_INNER_WIDTH, SORVANTO_INNER_HEIGHT);
  if (QApplication::arguments().contains(QStringLiteral("text"))) {
    new QLabel(QStringLiteral("Instructions (do everything on yellow field):"), &window);
  }
  window.show();
  return app.exec();
}
