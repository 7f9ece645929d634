#include "warm_up_bar.h"

#include <QPainter>

namespace sorvanto {

WarmUpBar::WarmUpBar(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
}

void WarmUpBar::Clear() {
  fraction_.reset();
  update();
}

void WarmUpBar::Fill(double fraction) {
  fraction_ = fraction;
  update();
}

void WarmUpBar::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!fraction_) return;
  const QRect inner = contentsRect();
  QPainter painter(this);
  painter.setClipRect(inner);
  painter.fillRect(QRectF(inner.topLeft(), QSizeF(*fraction_ * width(), height())),
                   QColor(0, 0, 127));
}

}  // namespace sorvanto
