#include "fitting_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QRect>

namespace sorvanto {
namespace {

constexpr int kSmallestPixelSize = 8;

bool Fits(const QFont& font, const QString& text, QSize box) {
  const QRect needed = QFontMetrics(font).boundingRect(
      QRect(QPoint(0, 0), box), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
  return needed.width() <= box.width() && needed.height() <= box.height();
}

}  // namespace

QFont FontFitting(QFont font, const QString& text, QSize box) {
  for (int size = QFontInfo(font).pixelSize() - 1;
       size >= kSmallestPixelSize && !Fits(font, text, box); --size) {
    font.setPixelSize(size);
  }
  return font;
}

}  // namespace sorvanto
