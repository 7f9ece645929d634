// The windows' layout is drawn up in twips, as are the pointer positions the engine
// hashes. On screen one twip is 1/15 of a logical pixel, whatever the display scaling.
#pragma once

#include <QPointF>
#include <QRect>

namespace sorvanto {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

constexpr QRect TwipRect(int left, int top, int width, int height) {
  return QRect(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

// A pointer offset in logical pixels, as the engine receives it.
inline QPointF ToTwips(QPointF pixels) { return pixels * kTwipsPerPixel; }

}  // namespace sorvanto
