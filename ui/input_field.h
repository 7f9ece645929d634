// The yellow field the user moves the mouse over. It reports every pointer move over
// it, with or without a button held, and a click: a left press and release over it. The
// second press of a double-click is no click of its own, so a double-click is one click.
#pragma once

#include <QPointF>
#include <QWidget>

namespace sorvanto {

class InputField final : public QWidget {
  Q_OBJECT

 public:
  explicit InputField(QWidget* parent);

 signals:
  // The pointer's offset from the field's top-left corner, in logical pixels.
  void pointerMoved(QPointF position);
  void clicked();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool leftPressed_ = false;
};

}  // namespace sorvanto
