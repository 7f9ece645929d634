// The warm-up bar: a sunken strip that shows one dark blue box filled from its left
// edge, or nothing. It remembers what it shows, so it repaints after being covered.
#pragma once

#include <QFrame>
#include <optional>

namespace sorvanto {

class WarmUpBar final : public QFrame {
 public:
  explicit WarmUpBar(QWidget* parent);

  void Clear();
  // Fills from the inner top-left corner across `fraction` of the bar's outer width
  // and its whole height, clipped to the inner area: 1 fills the whole inner area.
  void Fill(double fraction);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<double> fraction_;
};

}  // namespace sorvanto
