#include "app_icon.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>

namespace sorvanto {

QIcon SorvantoIcon() {
  QIcon icon;
  // Every size the icon is drawn at, 64 among them for displays with two device pixels
  // to the pixel: the window system then picks a drawn bitmap rather than scaling one,
  // which would smear its lines.
  const QDir bitmaps(QStringLiteral(":/sorvanto/icon"));
  for (const QString& file : bitmaps.entryList(QDir::Files)) {
    // Read as PNG outright: a reader left to detect the format loads every image
    // format plugin installed to ask it first, which costs start-up time and memory.
    QImageReader reader(bitmaps.filePath(file), "PNG");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

}  // namespace sorvanto
