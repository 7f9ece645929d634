#include "controls.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

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
  QStylePainter painter(widget);
  QStyleOptionFocusRect option;
  option.initFrom(widget);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace sorvanto
