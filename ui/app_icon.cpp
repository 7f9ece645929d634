#include "app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace sorvanto {

QIcon SorvantoIcon() {
  QSvgRenderer renderer(QStringLiteral(":/sorvanto/sorvanto.svg"));
  QIcon icon;
  // Drawn afresh for displays with two device pixels to the pixel, where an enlarged
  // 32 x 32 image would look blurred.
  for (const int scale : {1, 2}) {
    QPixmap pixmap(kIconSize * scale, kIconSize * scale);
    pixmap.fill(Qt::white);
    {
      QPainter painter(&pixmap);
      renderer.render(&painter);
    }
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace sorvanto
