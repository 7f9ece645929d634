#include "warm_up_bar.h"

#include <QAccessible>
#include <QAccessibleValueChangeEvent>
#include <QAccessibleWidget>
#include <QPainter>
#include <cmath>

#include "controls.h"

namespace sorvanto {
namespace {

// What assistive tools see of the bar: a read-only progress bar whose value is the
// percentage also written on it.
class WarmUpBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit WarmUpBarAccessible(WarmUpBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Value) return QString::number(Bar()->Percent()) + u'%';
    return QAccessibleWidget::text(type);
  }

  QVariant currentValue() const override { return Bar()->Percent(); }
  // Only the warm-up moves the bar; an assistive tool cannot set it.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 100; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  const WarmUpBar* Bar() const { return static_cast<const WarmUpBar*>(widget()); }
};

QAccessibleInterface* CreateAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(WarmUpBar::staticMetaObject.className())) return nullptr;
  return new WarmUpBarAccessible(static_cast<WarmUpBar*>(object));
}

}  // namespace

WarmUpBar::WarmUpBar(QWidget* parent) : QFrame(parent) {
  [[maybe_unused]] static const bool factory_installed = [] {
    QAccessible::installFactory(CreateAccessible);
    return true;
  }();
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Warm-up"));
  setAccessibleDescription(
      QStringLiteral("How far the warm-up has come. Numbers are drawn once it reaches 100%."));
}

void WarmUpBar::Clear() {
  fraction_.reset();
  update();
}

void WarmUpBar::Fill(double fraction) {
  fraction_ = fraction;
  update();
}

int WarmUpBar::Percent() const {
  return fraction_ ? static_cast<int>(std::lround(*fraction_ * 100)) : 0;
}

void WarmUpBar::AnnounceValue() {
  QAccessibleValueChangeEvent event(this, Percent());
  QAccessible::updateAccessibility(&event);
}

void WarmUpBar::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (fraction_) {
    const QRect inner = contentsRect();
    QPainter painter(this);
    painter.setClipRect(inner);
    painter.fillRect(QRectF(inner.topLeft(), QSizeF(*fraction_ * width(), height())),
                     QColor(0, 0, 127));
  }
  PaintFocusFrame(this);
}

}  // namespace sorvanto
