// The windows are laid out in fixed positions, drawn up for a small interface font.
// Where the platform's default font is larger, the windows shrink it until their
// longest text fits its label again.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace sorvanto {

// `font`, or the same font at the largest smaller pixel size (down to a legible
// minimum) at which `text`, wrapped at word boundaries, fits into `box`.
QFont FontFitting(QFont font, const QString& text, QSize box);

}  // namespace sorvanto
