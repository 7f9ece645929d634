#include "controls.h"

#include <QPainter>

namespace sorvanto {

QLabel* CreateLabel(QWidget* parent, const char* name, QRect geometry, Qt::Alignment alignment,
                    const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(alignment | Qt::AlignTop);
  return label;
}

QPushButton* CreateButton(QWidget* parent, const char* name, QRect geometry,
                          const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setAutoDefault(true);
  return button;
}

void PaintFocusFrame(QWidget* widget) {
  if (!widget->hasFocus()) return;
  // Dots drawn here rather than the style's frame, which some styles fill with a
  // translucent colour: the control keeps its own colour everywhere but on the dots.
  QPen dots(widget->palette().color(QPalette::WindowText), 1);
  dots.setDashPattern({1, 1});
  QPainter painter(widget);
  painter.setPen(dots);
  painter.drawRect(widget->contentsRect().adjusted(1, 1, -2, -2));
}

}  // namespace sorvanto
