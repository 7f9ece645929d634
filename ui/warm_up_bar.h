// The warm-up bar: a sunken strip that shows one dark blue box filled from its left
// edge, or nothing. It remembers what it shows, so it repaints after being covered, and
// tells assistive tools how far it is filled, as a progress bar from 0 to 100%.
#pragma once

#include <QFrame>
#include <optional>

namespace sorvanto {

class WarmUpBar final : public QFrame {
  Q_OBJECT

 public:
  explicit WarmUpBar(QWidget* parent);

  void Clear();
  // Fills from the inner top-left corner across `fraction` of the bar's outer width
  // and its whole height, clipped to the inner area: 1 fills the whole inner area.
  void Fill(double fraction);
  // The filled fraction as a whole percentage; 0 when cleared.
  int Percent() const;
  // Sends Percent() to assistive tools as the bar's new value. Called once the bar's
  // state for a tick is final, so that they hear one value per tick.
  void AnnounceValue();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<double> fraction_;
};

}  // namespace sorvanto
