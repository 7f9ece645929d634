#include "app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace sorvanto {

QIcon SorvantoIcon() {
  QSvgRenderer renderer(QStringLiteral(":/sorvanto/sorvanto.svg"));
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::white);
  {
    QPainter painter(&pixmap);
    renderer.render(&painter);
  }
  return QIcon(pixmap);
}

}  // namespace sorvanto
