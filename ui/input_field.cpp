#include "input_field.h"

#include <QMouseEvent>
#include <QPalette>

#include "controls.h"

namespace sorvanto {

InputField::InputField(QWidget* parent) : QWidget(parent) {
  QPalette yellow = palette();
  yellow.setColor(QPalette::Window, QColor(255, 255, 0));
  setPalette(yellow);
  setAutoFillBackground(true);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Yellow field"));
  setAccessibleDescription(QStringLiteral(
      "Click to start or stop. Then move the mouse over this field as randomly as you can: "
      "every movement goes into the numbers."));
}

void InputField::mouseMoveEvent(QMouseEvent* event) { emit pointerMoved(event->position()); }

void InputField::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) leftPressed_ = true;
}

void InputField::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !leftPressed_) return;
  leftPressed_ = false;
  if (rect().contains(event->position().toPoint())) emit clicked();
}

// The second press of a double-click arrives as this event, on some platforms after a
// press of its own; either way it ends in no click.
void InputField::mouseDoubleClickEvent(QMouseEvent*) { leftPressed_ = false; }

// The background fills itself.
void InputField::paintEvent(QPaintEvent*) { PaintFocusFrame(this); }

}  // namespace sorvanto
