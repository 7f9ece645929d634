#include "app_icon.h"

namespace sorvanto {

QIcon SorvantoIcon() {
  QIcon icon(QStringLiteral(":/sorvanto/icon-32.png"));
  // Its own bitmap for displays with two device pixels to the pixel, where an enlarged
  // 32 x 32 image would look blurred.
  icon.addFile(QStringLiteral(":/sorvanto/icon-64.png"));
  return icon;
}

}  // namespace sorvanto
