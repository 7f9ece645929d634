#include "app_icon.h"

#include <QImageReader>
#include <QPixmap>

namespace sorvanto {

QIcon SorvantoIcon() {
  QIcon icon;
  // A bitmap of its own for displays with two device pixels to the pixel, where an
  // enlarged 32 x 32 image would look blurred.
  for (const char* file : {":/sorvanto/icon-32.png", ":/sorvanto/icon-64.png"}) {
    // Read as PNG outright: a reader left to detect the format loads every image
    // format plugin installed to ask it first, which costs start-up time and memory.
    QImageReader reader(QString::fromLatin1(file), "PNG");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

}  // namespace sorvanto
